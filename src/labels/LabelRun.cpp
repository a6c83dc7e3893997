#include "LabelRun.h"

#include "common/SiteAddress.h"
#include "records/Activation.h"

#include <array>

namespace orvel {

namespace {

// The entry of place i of the run; an empty text past the last QSO.
QString entryAt(const QStringList &entries, qsizetype i)
{
    return i < entries.size() ? entries.at(i) : QString();
}

class TextRowRun
{
public:
    TextRowRun(const LabelRunInput &input, PrintScript &script)
        : m_input(input)
        , m_format(labelFormat(input.format))
        , m_rows(m_format.rows)
        , m_script(script)
    {
    }

    void run()
    {
        m_script.setLineAdvance(lineAdvanceFactor(m_rows));
        int rowCounter = 0;
        for (qsizetype i = 0; i < m_input.entries.size(); i += 2) {
            if (rowCounter == 0)
                topOfSheet();
            printRow(labelQsoOrEmpty(entryAt(m_input.entries, i)),
                     labelQsoOrEmpty(entryAt(m_input.entries, i + 1)));
            ++rowCounter;
            if (m_input.pauseEachSheet && rowCounter == kLabelRowsPerSheet) {
                m_script.ask(m_format.question);
                if (m_format.yesEndsSheet) {
                    m_script.endDocument();
                    rowCounter = 0;
                }
            }
            if (rowCounter == kLabelRowsPerSheet) {
                rowCounter = 0;
                m_script.endDocument();
            } else if (rowCounter != 0) {
                // A sheet just ended gets no spacer: its labels start where those of the
                // first sheet do.
                spacer(m_rows.betweenRows);
            }
        }
        if (rowCounter == 0)
            m_script.discardDocument();
        else
            m_script.endDocument();
        m_script.setLineAdvance(0);
    }

private:
    void spacer(double size)
    {
        m_script.setSize(size);
        m_script.printLine(QString());
    }

    void topOfSheet()
    {
        if (m_rows.topSpacers == 0)
            return;
        m_script.setSize(m_rows.topSpacerSize);
        for (int k = 0; k < m_rows.topSpacers; ++k)
            m_script.printLine(QString());
    }

    void printBoth(const CentredLine &line) { m_script.printLine(line.left + line.right); }

    void printRow(const LabelQso &left, const LabelQso &right)
    {
        const LabelLanguage language = m_input.language;
        m_script.setBold(true);
        m_script.setSize(m_rows.line1Size);
        m_script.printLine(centreLine(confirmationLine(left, language), m_rows.line1Width).left +
                           centreLine(confirmationLine(right, language), m_rows.line1Width).right);
        m_script.setSize(kBodySize);
        printBoth(centreLine(activationLine(m_input.first), kBodyWidth));
        if (m_input.second) {
            printBoth(centreLine(activationLine(*m_input.second), kBodyWidth));
            m_script.setBold(false);
        } else {
            m_script.setBold(false);
            printBoth(m_input.first.canton.isEmpty()
                          ? communeLineWithoutCanton(m_input.first, kBodyWidth)
                          : centreLine(communeLine(m_input.first), kBodyWidth));
        }
        spacer(m_rows.innerSpacer);
        m_script.setSize(kBodySize);
        m_script.printLine(centreLine(dateLine(left), kBodyWidth).left +
                           centreLine(dateLine(right), kBodyWidth).right);
        spacer(m_rows.innerSpacer);
        m_script.setSize(kBodySize);
        printBoth(centreLine(stationLine(m_input.station), kBodyWidth));
        printBoth(centreLine(thanksLine(m_input.activator, language), kBodyWidth));
        m_script.setSize(kCreditSize);
        m_script.printLine(creditLine(language));
        m_script.setSize(kBodySize);
    }

    const LabelRunInput &m_input;
    const LabelFormat &m_format;
    const TextRowLayout &m_rows;
    PrintScript &m_script;
};

class PlacedRun
{
public:
    PlacedRun(const LabelRunInput &input, PrintScript &script)
        : m_input(input)
        , m_format(labelFormat(kPlacedFormat))
        , m_script(script)
    {
    }

    void run()
    {
        m_script.setFont(kPlacedFont);
        m_script.setPageA4Portrait();
        double y0 = 0;
        int rowCounter = 0;
        for (qsizetype i = 0; i < m_input.entries.size(); i += 3) {
            const std::array<LabelQso, 3> row{labelQsoOrEmpty(entryAt(m_input.entries, i)),
                                              labelQsoOrEmpty(entryAt(m_input.entries, i + 1)),
                                              labelQsoOrEmpty(entryAt(m_input.entries, i + 2))};
            for (int column = 0; column < 3; ++column)
                printLabel(row.at(column), row.front(), column, y0);
            ++rowCounter;
            if (m_input.pauseEachSheet && rowCounter == kLabelRowsPerSheet)
                m_script.ask(m_format.question);
            if (rowCounter == kLabelRowsPerSheet) {
                rowCounter = 0;
                m_script.endDocument();
                y0 = 0;
            } else {
                y0 += placed::kRowPitch;
            }
        }
        if (rowCounter == 0)
            m_script.discardDocument();
        else
            m_script.endDocument();
    }

private:
    void printLabel(const LabelQso &qso, const LabelQso &firstColumn, int column, double y0)
    {
        using namespace placed;
        const double x0 = kColumnLeft[column];
        const LabelLanguage language = m_input.language;
        m_script.setSize(column == 0 ? kFirstColumnLine1Size : kLine1Size);
        m_script.setBold(true);
        m_script.setPosition(column == 0 ? x0 + kFirstColumnIndent : x0, y0 + kLine1Top);
        m_script.printLine(placeLine(placedConfirmationLine(qso, language), kLine1Width));
        m_script.setBold(false);
        m_script.setSize(placed::kBodySize);
        m_script.setPosition(x0, y0 + kBodyTop);
        m_script.printLine(placeLine(placedDateLine(qso, firstColumn), placed::kBodyWidth));
        const PlacedLine fourth = m_input.second ? placedActivationLine(*m_input.second)
                                                 : placedCommuneLine(m_input.first);
        for (const PlacedLine &line :
             {placedActivationLine(m_input.first), fourth, placedStationLine(m_input.station),
              placedThanksLine(m_input.activator, language)}) {
            m_script.setX(x0);
            m_script.printLine(placeLine(line, placed::kBodyWidth));
        }
        m_script.setSize(placed::kCreditSize);
        m_script.setPosition(x0 + kCreditLeft, y0 + kCreditTop);
        m_script.printLine(siteAddress());
    }

    const LabelRunInput &m_input;
    const LabelFormat &m_format;
    PrintScript &m_script;
};

} // namespace

PrintScript labelRunScript(const LabelRunInput &input)
{
    PrintScript script;
    script.setFont(kTextRowFont);
    if (input.format == kPlacedFormat)
        PlacedRun(input, script).run();
    else
        TextRowRun(input, script).run();
    script.setFont(input.restoreFamily);
    script.setSize(input.restoreSize);
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
