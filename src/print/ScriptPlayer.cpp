#include "ScriptPlayer.h"

#include "widgets/Fonts.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>

namespace orvel {

namespace {

// The state of one playback: the font and position the script has set, and whether a
// document and a page are under way.
class Playback
{
public:
    Playback(QPagedPaintDevice &device, QPrinter *printer,
             ScriptPlayer::DocumentEnded documentEnded = {})
        : m_device(device)
        , m_printer(printer)
        , m_documentEnded(std::move(documentEnded))
    {
    }

    PlayResult run(const PrintScript &script, const ScriptPlayer::Ask &ask)
    {
        for (const PrintOperation &op : script.operations()) {
            switch (op.kind) {
            case PrintOperation::Kind::Font:
                m_family = op.text;
                break;
            case PrintOperation::Kind::Size:
                m_points = op.number;
                break;
            case PrintOperation::Kind::Bold:
                m_bold = op.flag;
                break;
            case PrintOperation::Kind::Position:
                m_x = millimetres(op.x);
                m_y = millimetres(op.y);
                break;
            case PrintOperation::Kind::Line:
                if (!printLine(op.text))
                    return failed();
                break;
            case PrintOperation::Kind::EndDocument:
                endDocument(false);
                break;
            case PrintOperation::Kind::DiscardDocument:
                endDocument(true);
                break;
            case PrintOperation::Kind::LineAdvance:
                m_lineAdvance = op.number;
                break;
            case PrintOperation::Kind::PositionX:
                m_x = millimetres(op.x);
                break;
            case PrintOperation::Kind::PageA4Portrait:
                m_device.setPageSize(QPageSize(QPageSize::A4));
                m_device.setPageOrientation(QPageLayout::Portrait);
                break;
            case PrintOperation::Kind::Question:
                if (ask && !ask(op.text)) {
                    m_result.stopped = true;
                    finish();
                    return m_result;
                }
                break;
            }
        }
        finish();
        return m_result;
    }

private:
    // Separate print jobs only on a real printer: a file holds every document.
    bool separateJobs() const
    {
        return m_printer && m_printer->outputFormat() == QPrinter::NativeFormat;
    }

    double millimetres(double mm) const { return mm * m_device.logicalDpiY() / 25.4; }

    QFont font() const { return pitchKeepingFont(m_family, m_points, m_bold); }

    // The height a line takes: its size times the script's factor, or the font's own spacing.
    double lineAdvance(const QFontMetricsF &metrics) const
    {
        if (m_lineAdvance > 0)
            return m_points * m_lineAdvance * m_device.logicalDpiY() / 72.0;
        return metrics.lineSpacing();
    }

    bool printLine(const QString &text)
    {
        if (!startPageIfNeeded())
            return false;
        const QFont current = font();
        const QFontMetricsF metrics(current, &m_device);
        if (m_pageHasInk && m_y + metrics.height() > m_device.height()) {
            newPage();
            m_y = 0;
        }
        m_painter.setFont(current);
        m_painter.drawText(QPointF(m_x, m_y + metrics.ascent()), text);
        m_pageHasInk = true;
        m_documentHasInk = true;
        m_x = 0;
        m_y += lineAdvance(metrics);
        return true;
    }

    bool startPageIfNeeded()
    {
        if (!m_painter.isActive()) {
            if (!m_painter.begin(&m_device))
                return false;
            m_pageHasInk = false;
        } else if (m_newDocumentPending) {
            newPage();
        }
        m_newDocumentPending = false;
        return true;
    }

    void newPage()
    {
        if (m_pageHasInk)
            ++m_result.pages;
        m_device.newPage();
        m_pageHasInk = false;
    }

    void endDocument(bool discard)
    {
        if (!m_documentHasInk)
            return;
        if (separateJobs()) {
            if (discard)
                m_printer->abort();
            else
                closePainter();
            if (m_painter.isActive())
                m_painter.end();
        } else {
            // In a file the next document starts on a page of its own.
            m_newDocumentPending = true;
        }
        m_documentHasInk = false;
        m_y = 0;
        m_x = 0;
        if (!discard) {
            ++m_result.documents;
            if (m_documentEnded)
                m_documentEnded(m_result.documents);
        }
    }

    void closePainter()
    {
        if (!m_painter.isActive())
            return;
        if (m_pageHasInk)
            ++m_result.pages;
        m_pageHasInk = false;
        m_painter.end();
    }

    void finish()
    {
        // Lines left after the last end of document are sent too, never lost.
        if (m_documentHasInk)
            ++m_result.documents;
        closePainter();
    }

    PlayResult failed()
    {
        m_result.failed = true;
        return m_result;
    }

    QPagedPaintDevice &m_device;
    QPrinter *m_printer;
    ScriptPlayer::DocumentEnded m_documentEnded;
    QPainter m_painter;
    PlayResult m_result;
    QString m_family = QStringLiteral("Courier New");
    double m_points = 10;
    bool m_bold = false;
    double m_lineAdvance = 0;
    double m_x = 0;
    double m_y = 0;
    bool m_pageHasInk = false;
    bool m_documentHasInk = false;
    bool m_newDocumentPending = false;
};

} // namespace

PlayResult ScriptPlayer::play(const PrintScript &script, QPrinter &printer, const Ask &ask,
                              const DocumentEnded &documentEnded)
{
    return Playback(printer, &printer, documentEnded).run(script, ask);
}

PlayResult ScriptPlayer::play(const PrintScript &script, QPagedPaintDevice &device, const Ask &ask,
                              const DocumentEnded &documentEnded)
{
    return Playback(device, nullptr, documentEnded).run(script, ask);
}

PlayResult ScriptPlayer::playToPdf(const PrintScript &script, const QString &path, const Ask &ask,
                                   QPageLayout::Orientation orientation)
{
    QPdfWriter writer(path);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageOrientation(orientation);
    writer.setPageMargins(QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
    writer.setCreator(QStringLiteral("Orvel Multi"));
    return play(script, writer, ask);
}

} // namespace orvel
