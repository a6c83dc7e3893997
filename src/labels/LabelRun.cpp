#include "LabelRun.h"

#include "common/SiteAddress.h"
#include "records/Activation.h"

#include <algorithm>
#include <optional>

namespace orvel {

namespace {

// A line's height for its size: the fixed-pitch fonts reach 0.83 em above the baseline and
// 0.30 em below it (Courier New, Liberation Mono), or 1.17 em in all (DejaVu Sans Mono).
constexpr double kLineHeightEm = 1.17;
// The gap between two lines, in points, before any room of its own.
constexpr double kGapWeight = 2;
constexpr double kPointMm = 25.4 / 72;
// The arms of the crosses of the calibration grid.
constexpr double kCrossArm = 4;

// The entry of place i of the run; an empty text past the last QSO.
QString entryAt(const LabelRunInput &input, qsizetype i)
{
    if (i >= labelCount(input))
        return QString();
    return input.entryOf ? input.entryOf(i) : input.entries.at(i);
}

QString withoutTrailingBlanks(const QString &text)
{
    qsizetype end = text.size();
    while (end > 0 && text.at(end - 1) == QLatin1Char(' '))
        --end;
    return end == text.size() ? text : text.left(end);
}

// Builds the script label by label: the font's size and weight are set only when they change.
class LabelWriter
{
public:
    explicit LabelWriter(PrintScript &script)
        : m_script(script)
    {
    }

    void draw(const QList<LabelLine> &lines, const MmRect &label)
    {
        const QList<MmRect> boxes = stackLines(lines, label.inset(kLabelInset));
        const double shrink =
            boxes.isEmpty() || lines.isEmpty()
                ? 1.0
                : std::min(1.0, boxes.first().height / lineHeightMm(lines.first().size));
        for (qsizetype i = 0; i < lines.size(); ++i) {
            const LabelLine &line = lines.at(i);
            setSize(line.size * shrink);
            setBold(line.bold);
            // Blanks at the ends are no ink: the box places the characters themselves.
            if (line.centred)
                m_script.drawCentred(boxes.at(i), line.text.trimmed());
            else
                m_script.drawFrom(boxes.at(i), line.indentMm, withoutTrailingBlanks(line.text));
        }
    }

    PrintScript &script() { return m_script; }

private:
    void setSize(double size)
    {
        if (size == m_size)
            return;
        m_size = size;
        m_script.setSize(size);
    }
    void setBold(bool bold)
    {
        if (m_bold && *m_bold == bold)
            return;
        m_bold = bold;
        m_script.setBold(bold);
    }

    PrintScript &m_script;
    double m_size = -1;
    std::optional<bool> m_bold;
};

// The texts of a run that every label shares, made once so that all labels share them.
struct SharedTexts {
    QString activation;
    QString third; // the commune line, or the second activation
    QString station;
    QString thanks;
    QString credit;
};

// The run: the labels of each sheet row by row, each row left to right.
class LabelSheets
{
public:
    // sheetDone: the script so far is played, and the script emptied; false stops the run.
    LabelSheets(const LabelRunInput &input, PrintScript &script,
                std::function<bool()> sheetDone)
        : m_input(input)
        , m_format(labelFormat(input.format))
        , m_writer(script)
        , m_sheetDone(std::move(sheetDone))
    {
    }

    // False when the run was stopped.
    bool run()
    {
        PrintScript &script = m_writer.script();
        const int across = m_format.labelsAcross;
        int row = 0;
        for (qsizetype i = 0, count = labelCount(m_input); i < count; i += across) {
            if (row == 0 && m_input.outlines)
                drawOutlines();
            QList<LabelQso> qsos;
            for (int column = 0; column < across; ++column)
                qsos.append(labelQsoOrEmpty(entryAt(m_input, i + column)));
            for (int column = 0; column < across; ++column)
                m_writer.draw(linesOf(qsos, column),
                              labelRect(m_format, row, column, m_input.offsetX, m_input.offsetY));
            ++row;
            if (m_input.pauseEachSheet && row == kLabelRowsPerSheet)
                script.ask(m_format.question);
            if (row == kLabelRowsPerSheet) {
                row = 0;
                script.endDocument();
                if (!m_sheetDone())
                    return false;
            }
        }
        if (row == 0)
            script.discardDocument();
        else
            script.endDocument();
        return true;
    }

private:
    void drawOutlines()
    {
        for (int row = 0; row < kLabelRowsPerSheet; ++row) {
            for (int column = 0; column < m_format.labelsAcross; ++column)
                m_writer.script().drawFrame(
                    labelRect(m_format, row, column, m_input.offsetX, m_input.offsetY), true);
        }
    }

    QList<LabelLine> linesOf(const QList<LabelQso> &row, int column)
    {
        return m_format.number == kPlacedFormat ? placedLines(row, column)
                                                : textRowLines(row.at(column));
    }

    const SharedTexts &textRowShared()
    {
        if (!m_shared) {
            const LabelLanguage language = m_input.language;
            m_shared = SharedTexts{
                centredText(activationLine(m_input.first), kBodyWidth),
                m_input.second ? centredText(activationLine(*m_input.second), kBodyWidth)
                               : centredText(communeLine(m_input.first), kBodyWidth).trimmed(),
                centredText(stationLine(m_input.station), kBodyWidth),
                centredText(thanksLine(m_input.activator, language), kBodyWidth),
                creditText(language)};
        }
        return *m_shared;
    }

    // Formats 1 to 4: lines 1 to 6 centred, the credit under them at its place of the row's
    // left label.
    QList<LabelLine> textRowLines(const LabelQso &qso)
    {
        const SharedTexts &shared = textRowShared();
        const TextRowLayout &rows = m_format.rows;
        const double creditMm =
            creditIndent(m_input.language) * kTextRowPitch * kCreditSize * kPointMm - kLabelInset;
        return {
            {centredText(confirmationLine(qso, m_input.language), rows.line1Width), rows.line1Size,
             true},
            {shared.activation, kBodySize, true},
            {shared.third, kBodySize, m_input.second.has_value()},
            {centredText(dateLine(qso), kBodyWidth), kBodySize, false, true, 0, rows.innerSpacer},
            {shared.station, kBodySize, false, true, 0, rows.innerSpacer},
            {shared.thanks, kBodySize, false},
            {shared.credit, kCreditSize, false, false, creditMm},
        };
    }

    // Format 5: each line indented by its pad, from the label's left edge as the sheet's
    // columns start.
    QList<LabelLine> placedLines(const QList<LabelQso> &row, int column)
    {
        using namespace placed;
        const LabelLanguage language = m_input.language;
        const auto line = [](const PlacedLine &placedLine, int width, double size, bool bold,
                             double indentMm) {
            const PlacedText text = placeLine(placedLine, width);
            return LabelLine{text.text, size, bold, false,
                             indentMm + text.pad * kPlacedPitch * size * kPointMm - kLabelInset};
        };
        const double line1Size = column == 0 ? kFirstColumnLine1Size : kLine1Size;
        const double line1Indent = column == 0 ? kFirstColumnIndent : 0;
        const PlacedLine fourth = m_input.second ? placedActivationLine(*m_input.second)
                                                 : placedCommuneLine(m_input.first);
        return {
            line(placedConfirmationLine(row.at(column), language), kLine1Width, line1Size, true,
                 line1Indent),
            line(placedDateLine(row.at(column), row.front()), placed::kBodyWidth, placed::kBodySize,
                 false, 0),
            line(placedActivationLine(m_input.first), placed::kBodyWidth, placed::kBodySize, false,
                 0),
            line(fourth, placed::kBodyWidth, placed::kBodySize, false, 0),
            line(placedStationLine(m_input.station), placed::kBodyWidth, placed::kBodySize, false,
                 0),
            line(placedThanksLine(m_input.activator, language), placed::kBodyWidth,
                 placed::kBodySize, false, 0),
            {siteAddress(), placed::kCreditSize, false, false, kCreditLeft - kLabelInset},
        };
    }

    const LabelRunInput &m_input;
    const LabelFormat &m_format;
    LabelWriter m_writer;
    std::function<bool()> m_sheetDone;
    std::optional<SharedTexts> m_shared;
};

} // namespace

double lineHeightMm(double points)
{
    return points * kLineHeightEm * kPointMm;
}

QList<MmRect> stackLines(const QList<LabelLine> &lines, const MmRect &box)
{
    QList<MmRect> boxes;
    if (lines.isEmpty())
        return boxes;
    double needed = 0;
    double weights = 0;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        needed += lineHeightMm(lines.at(i).size);
        if (i > 0)
            weights += kGapWeight + lines.at(i).roomBefore;
    }
    const double shrink = needed > box.height ? box.height / needed : 1.0;
    const double spare = std::max(0.0, box.height - needed);
    double y = box.y;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (i > 0 && weights > 0)
            y += spare * (kGapWeight + lines.at(i).roomBefore) / weights;
        const double height = lineHeightMm(lines.at(i).size) * shrink;
        boxes.append({box.x, y, box.width, height});
        y += height;
    }
    return boxes;
}

qsizetype labelCount(const LabelRunInput &input)
{
    return input.entryOf ? input.entryCount : input.entries.size();
}

ScriptPieces labelRunPieces(const LabelRunInput &input)
{
    const qsizetype count = labelCount(input);
    const int perSheet = labelFormat(input.format).labelsAcross * kLabelRowsPerSheet;
    const int sheets = int((count + perSheet - 1) / perSheet);
    return {sheets, [input](const auto &play) {
                PrintScript script;
                script.setFont(input.format == kPlacedFormat ? kPlacedFont : kTextRowFont);
                script.useSheetCoordinates();
                const bool whole = LabelSheets(input, script, [&] {
                                       const bool going = play(script);
                                       script = PrintScript();
                                       return going;
                                   }).run();
                if (!whole)
                    return;
                script.setFont(input.restoreFamily);
                script.setSize(input.restoreSize);
                play(script);
            }};
}

PrintScript labelRunScript(const LabelRunInput &input)
{
    PrintScript script;
    labelRunPieces(input).write([&script](const PrintScript &piece) {
        for (const PrintOperation &op : piece.operations())
            script.add(op);
        return true;
    });
    return script;
}

PrintScript calibrationGridScript(int format, double offsetX, double offsetY)
{
    const LabelFormat &sheet = labelFormat(format);
    PrintScript script;
    script.useSheetCoordinates();
    for (int row = 0; row < kLabelRowsPerSheet; ++row) {
        for (int column = 0; column < sheet.labelsAcross; ++column) {
            const MmRect label = labelRect(sheet, row, column, offsetX, offsetY);
            script.drawFrame(label, false);
            for (const double x : {label.x, label.right()}) {
                for (const double y : {label.y, label.bottom()})
                    script.drawCross(x, y, kCrossArm);
            }
        }
    }
    script.endDocument();
    return script;
}

std::optional<ActivationTexts> findActivationTexts(const QStringList &listLines,
                                                   const QString &reference)
{
    if (reference.isEmpty())
        return std::nullopt;
    for (const QString &line : listLines) {
        if (trimmedColumn(line, actcol::kReference) != reference)
            continue;
        const auto text = [&line](const LineColumn &column) {
            return trimmedColumn(line, column).toString();
        };
        return ActivationTexts{text(actcol::kReference), text(actcol::kName), text(actcol::kCanton),
                               text(actcol::kPostalCode), text(actcol::kCommuneRead)};
    }
    return std::nullopt;
}

void RememberedActivations::lookUp(const QStringList &listLines, const QString &first,
                                   const std::optional<QString> &second)
{
    if (const auto found = findActivationTexts(listLines, first))
        m_first = *found;
    if (!second)
        return;
    if (const auto found = findActivationTexts(listLines, *second)) {
        m_second.reference = found->reference;
        m_second.name = found->name;
    }
}

} // namespace orvel
