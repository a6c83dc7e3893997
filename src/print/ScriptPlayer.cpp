#include "ScriptPlayer.h"

#include "PdfTarget.h"

#include "common/SafeWrite.h"
#include "widgets/Fonts.h"

#include <QFileInfo>
#include <QFontMetricsF>
#include <QHash>
#include <QIODevice>
#include <QPaintEngine>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>

#include <algorithm>
#include <cerrno>

namespace orvel {

namespace {

// Below this width a condensed text would be hard to read: it is made smaller instead.
constexpr double kNarrowest = 0.8;
// Measured widths are kept this much short of their box, against rounding in the device.
constexpr double kFitMargin = 0.995;

// A device that passes every write on to the file and remembers the system's error of the
// first write that failed, which the file itself does not keep.
class WatchedDevice : public QIODevice
{
public:
    explicit WatchedDevice(QIODevice &file)
        : m_file(file)
    {
    }
    int systemError() const { return m_systemError; }
    bool failed() const { return m_failed; }

protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *data, qint64 size) override
    {
        errno = 0;
        const qint64 written = m_file.write(data, size);
        if (written != size && !m_failed) {
            m_failed = true;
            m_systemError = errno != 0 ? errno : EIO;
        }
        return written;
    }

private:
    QIODevice &m_file;
    bool m_failed = false;
    int m_systemError = 0;
};

// A preview draws into pictures of its own; it never writes the printer's file.
bool isPreview(QPrinter &printer)
{
    const QPaintEngine *engine = printer.paintEngine();
    return engine && engine->type() == QPaintEngine::Picture;
}

// The font of a size and weight, with what a fitted text needs of its measures.
struct MeasuredFont {
    QFont font;
    double ascent = 0;
    double descent = 0;
};

// The state of one playback: the font and position the script has set, and whether a
// document and a page are under way.
class Playback
{
public:
    Playback(QPagedPaintDevice &device, QPrinter *printer, const PlayOptions &options)
        : m_device(device)
        , m_printer(printer)
        , m_options(options)
        , m_separateJobs(printer && printer->outputFormat() == QPrinter::NativeFormat &&
                         !isPreview(*printer))
    {
    }

    PlayResult run(const ScriptPieces &pieces)
    {
        m_total = pieces.documents;
        bool going = true;
        pieces.write([&](const PrintScript &piece) {
            for (const PrintOperation &op : piece.operations()) {
                if (!play(op)) {
                    going = false;
                    break;
                }
            }
            return going;
        });
        if (going)
            finish();
        return m_result;
    }

private:
    // Plays one operation; false when the run ends there.
    bool play(const PrintOperation &op)
    {
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
            m_x = toDeviceX(op.x);
            m_y = toDeviceY(op.y);
            break;
        case PrintOperation::Kind::Line:
            return printLine(op.text) || failed();
        case PrintOperation::Kind::TextBox:
            return drawTextBox(op) || failed();
        case PrintOperation::Kind::Frame:
            return drawFrame(op) || failed();
        case PrintOperation::Kind::Cross:
            return drawCross(op) || failed();
        case PrintOperation::Kind::Sheet:
            useSheet();
            break;
        case PrintOperation::Kind::Margins:
            useMargins(op.number);
            break;
        case PrintOperation::Kind::EndDocument:
            return endDocument(false);
        case PrintOperation::Kind::DiscardDocument:
            return endDocument(true);
        case PrintOperation::Kind::Question:
            if (m_options.ask && !m_options.ask(op.text)) {
                m_result.stopped = true;
                finish();
                return false;
            }
            break;
        }
        return true;
    }

    double dpiX() const { return m_device.logicalDpiX(); }
    double dpiY() const { return m_device.logicalDpiY(); }
    double toDeviceX(double mm) const { return (mm - m_originMm.x()) * dpiX() / 25.4; }
    double toDeviceY(double mm) const { return (mm - m_originMm.y()) * dpiY() / 25.4; }
    double lengthX(double mm) const { return mm * dpiX() / 25.4; }
    double lengthY(double mm) const { return mm * dpiY() / 25.4; }

    // A4 portrait, measured from the paper's corner: in full-page mode the painter's origin
    // is that corner (the printer's own offset to its printable area taken off); where a
    // device keeps its margins, positions are moved back by them.
    void useSheet()
    {
        QPageLayout layout = m_device.pageLayout();
        layout.setPageSize(QPageSize(QPageSize::A4));
        layout.setOrientation(QPageLayout::Portrait);
        layout.setMode(QPageLayout::FullPageMode);
        if (!m_painter.isActive()) {
            if (m_printer)
                m_printer->setFullPage(true);
            m_device.setPageLayout(layout);
        }
        const QPageLayout now = m_device.pageLayout();
        m_originMm = now.mode() == QPageLayout::FullPageMode
                         ? QPointF()
                         : now.paintRect(QPageLayout::Millimeter).topLeft();
    }

    // The same blank border on every device, the painter's origin inside it; a printer that
    // cannot print that near the edge keeps its own larger border. Set between documents only:
    // a page under way keeps its layout.
    void useMargins(double mm)
    {
        if (m_painter.isActive())
            return;
        QPageLayout layout = m_device.pageLayout();
        layout.setUnits(QPageLayout::Millimeter);
        layout.setMode(QPageLayout::StandardMode);
        const QMarginsF least = layout.minimumMargins();
        layout.setMargins(QMarginsF(std::max(mm, least.left()), std::max(mm, least.top()),
                                    std::max(mm, least.right()), std::max(mm, least.bottom())));
        if (m_printer)
            m_printer->setFullPage(false);
        m_device.setPageLayout(layout);
        m_originMm = QPointF();
    }

    QFont font() const { return pitchKeepingFont(m_family, m_points, m_bold); }

    const MeasuredFont &measuredFont()
    {
        const QString key = QStringLiteral("%1|%2|%3").arg(m_family).arg(m_points).arg(m_bold);
        auto found = m_fonts.find(key);
        if (found == m_fonts.end()) {
            MeasuredFont measured;
            measured.font = font();
            const QFontMetricsF metrics(measured.font, &m_device);
            measured.ascent = metrics.ascent();
            measured.descent = metrics.descent();
            found = m_fonts.insert(key, measured);
        }
        return *found;
    }

    // The text in its box: as wide and as tall as the box allows, condensed first and made
    // smaller only past the narrowest condensing, and placed where the script asks as far as
    // the box lets it.
    bool drawTextBox(const PrintOperation &op)
    {
        if (!startPageIfNeeded())
            return false;
        const MeasuredFont &measured = measuredFont();
        m_painter.setFont(measured.font);
        const QFontMetricsF metrics(measured.font, &m_device);
        const double boxWidth = lengthX(op.width) * kFitMargin;
        const double boxHeight = lengthY(op.height) * kFitMargin;
        const double textWidth = metrics.horizontalAdvance(op.text);
        const double lineHeight = measured.ascent + measured.descent;
        double scale = lineHeight > boxHeight ? boxHeight / lineHeight : 1.0;
        double condensed = 1.0;
        if (textWidth * scale > boxWidth) {
            condensed = boxWidth / (textWidth * scale);
            if (condensed < kNarrowest) {
                scale *= condensed / kNarrowest;
                condensed = kNarrowest;
            }
        }
        const double width = textWidth * scale * condensed;
        const double spare = std::max(0.0, lengthX(op.width) - width);
        const double left = op.flag ? spare / 2 : std::clamp(lengthX(op.indent), 0.0, spare);
        const double top = (lengthY(op.height) - lineHeight * scale) / 2;

        m_painter.save();
        m_painter.translate(toDeviceX(op.x) + left, toDeviceY(op.y) + top);
        m_painter.scale(scale * condensed, scale);
        m_painter.drawText(QPointF(0, measured.ascent), op.text);
        m_painter.restore();
        markInk();
        return true;
    }

    QRectF deviceRect(const PrintOperation &op) const
    {
        return {toDeviceX(op.x), toDeviceY(op.y), lengthX(op.width), lengthY(op.height)};
    }

    bool drawFrame(const PrintOperation &op)
    {
        if (op.flag && !m_options.showGuides)
            return true;
        if (!startPageIfNeeded())
            return false;
        m_painter.save();
        QPen pen(op.flag ? QColor(190, 200, 215) : QColor(Qt::black));
        pen.setWidthF(lengthX(op.flag ? 0.15 : 0.2));
        m_painter.setPen(pen);
        m_painter.setBrush(Qt::NoBrush);
        m_painter.drawRect(deviceRect(op));
        m_painter.restore();
        if (!op.flag)
            markInk();
        return true;
    }

    bool drawCross(const PrintOperation &op)
    {
        if (!startPageIfNeeded())
            return false;
        m_painter.save();
        QPen pen(Qt::black);
        pen.setWidthF(lengthX(0.2));
        m_painter.setPen(pen);
        const double x = toDeviceX(op.x);
        const double y = toDeviceY(op.y);
        m_painter.drawLine(QPointF(x - lengthX(op.number), y), QPointF(x + lengthX(op.number), y));
        m_painter.drawLine(QPointF(x, y - lengthY(op.number)), QPointF(x, y + lengthY(op.number)));
        m_painter.restore();
        markInk();
        return true;
    }

    // The height a line takes: the font's own spacing.
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
        markInk();
        m_x = toDeviceX(0);
        m_y += metrics.lineSpacing();
        return true;
    }

    void markInk()
    {
        m_pageHasInk = true;
        m_documentHasInk = true;
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

    // Ends or discards the document in progress; false when the run is cancelled there.
    bool endDocument(bool discard)
    {
        if (!m_documentHasInk)
            return true;
        if (m_separateJobs) {
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
        m_x = toDeviceX(0);
        m_y = toDeviceY(0);
        if (discard)
            return true;
        ++m_result.documents;
        if (m_options.progress && !m_options.progress(m_result.documents, m_total)) {
            m_result.cancelled = true;
            closePainter();
            return false;
        }
        return true;
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

    bool failed()
    {
        m_result.failed = true;
        return false;
    }

    QPagedPaintDevice &m_device;
    QPrinter *m_printer;
    const PlayOptions &m_options;
    // Separate print jobs only on a real printer: a file or a preview holds every document.
    const bool m_separateJobs;
    QPainter m_painter;
    PlayResult m_result;
    QHash<QString, MeasuredFont> m_fonts;
    int m_total = 0;
    QString m_family = QStringLiteral("Courier New");
    double m_points = 10;
    bool m_bold = false;
    QPointF m_originMm;
    double m_x = 0;
    double m_y = 0;
    bool m_pageHasInk = false;
    bool m_documentHasInk = false;
    bool m_newDocumentPending = false;
};

// The script into a PDF file at path through a scratch file, the writer set up by setUp.
PlayResult playToPdfSafely(const ScriptPieces &script, const QString &path,
                           const PlayOptions &options,
                           const std::function<void(QPdfWriter &)> &setUp)
{
    PlayResult result;
    if (const QString refused = pdfTargetRefusal(path); !refused.isEmpty()) {
        result.failed = true;
        result.error = refused;
        return result;
    }
    // A PDF's scratch file stands beside it, wherever that is: one that a copy of the program
    // killed while writing left there goes now.
    removeStaleScratchFiles(QFileInfo(path).absolutePath());
    const FileResult written = replaceFileWith(path, [&](QIODevice &file) {
        WatchedDevice device(file);
        device.open(QIODevice::WriteOnly);
        {
            QPdfWriter writer(&device);
            writer.setCreator(QStringLiteral("Orvel Multi"));
            setUp(writer);
            if (!options.title.isEmpty())
                writer.setTitle(options.title);
            result = Playback(writer, nullptr, options).run(script);
        }
        if (device.failed())
            errno = device.systemError();
        return !result.failed && !result.cancelled && !device.failed();
    });
    if (!written && !result.cancelled) {
        result.failed = true;
        result.error = written.error;
    }
    return result;
}

} // namespace

bool ScriptPlayer::isPreview(QPrinter &printer)
{
    return orvel::isPreview(printer);
}

PlayResult ScriptPlayer::play(const PrintScript &script, QPrinter &printer,
                              const PlayOptions &options)
{
    return play(ScriptPieces::of(script), printer, options);
}

PlayResult ScriptPlayer::play(const ScriptPieces &script, QPrinter &printer,
                              const PlayOptions &options)
{
    if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty() &&
        !isPreview(printer)) {
        return playToPdfSafely(script, printer.outputFileName(), options,
                               [&printer](QPdfWriter &writer) {
                                   writer.setResolution(printer.resolution());
                                   writer.setPageLayout(printer.pageLayout());
                                   writer.setTitle(printer.docName());
                               });
    }
    return Playback(printer, &printer, options).run(script);
}

PlayResult ScriptPlayer::play(const PrintScript &script, QPagedPaintDevice &device,
                              const PlayOptions &options)
{
    return Playback(device, nullptr, options).run(ScriptPieces::of(script));
}

PlayResult ScriptPlayer::playToPdf(const PrintScript &script, const QString &path,
                                   const PlayOptions &options, QPageLayout::Orientation orientation)
{
    return playToPdf(ScriptPieces::of(script), path, options, orientation);
}

PlayResult ScriptPlayer::playToPdf(const ScriptPieces &script, const QString &path,
                                   const PlayOptions &options, QPageLayout::Orientation orientation)
{
    return playToPdfSafely(script, path, options, [orientation](QPdfWriter &writer) {
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageOrientation(orientation);
        writer.setPageMargins(QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
    });
}

} // namespace orvel
