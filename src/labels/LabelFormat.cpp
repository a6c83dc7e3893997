#include "LabelFormat.h"

#include <array>

namespace orvel {

namespace {

const QString kPageQuestion = QStringLiteral("Page suivante ?");
const QString kIndentedPageQuestion = QStringLiteral("               Page suivante ?");

// Formats 1 and 3 share their layout; only the sheet's pitch differs.
TextRowLayout narrowRows(double pitchMm)
{
    return {3, 10, 13, 37, 8, 5, pitchMm};
}

const std::array<LabelFormat, kLabelFormatCount> &formats()
{
    static const std::array<LabelFormat, kLabelFormatCount> table{{
        {1, QStringLiteral("AVERY   L7162            99.1 x 33.9   16 étiquettes"), 2,
         narrowRows(33.9), kPageQuestion, true},
        {2, QStringLiteral("AVERY   DP167               105 x 37   16 étiquettes"), 2,
         TextRowLayout{0, 10, 15, 32, 2, 21, 37}, kIndentedPageQuestion, false},
        {3, QStringLiteral("DECADRY   OLW4732   99.1 x 34   16 étiquettes"), 2, narrowRows(34),
         kPageQuestion, true},
        {4, QStringLiteral("DECADRY   OLW4799    105 x 35   16 étiquettes"), 2,
         TextRowLayout{2, 8, 15, 32, 8, 7, 35}, kPageQuestion, true},
        {5, QStringLiteral("AVERY  DP247                  70 x 37   24 étiquettes"), 3,
         TextRowLayout{}, kIndentedPageQuestion, false},
    }};
    return table;
}

} // namespace

bool isLabelFormat(int number)
{
    return number >= 1 && number <= kLabelFormatCount;
}

const LabelFormat &labelFormat(int number)
{
    return formats().at(isLabelFormat(number) ? number - 1 : 0);
}

double rowPoints(const TextRowLayout &rows)
{
    // Line 1, lines 2 and 3, a spacer, line 4, a spacer, lines 5 and 6, the credit line.
    return rows.line1Size + 2 * kBodySize + rows.innerSpacer + kBodySize + rows.innerSpacer +
           2 * kBodySize + kCreditSize + rows.betweenRows;
}

double lineAdvanceFactor(const TextRowLayout &rows)
{
    const double pitchPoints = rows.rowPitchMm / 25.4 * 72.0;
    return pitchPoints / rowPoints(rows);
}

const LabelPhrases &labelPhrases(LabelLanguage language)
{
    static const LabelPhrases french{QStringLiteral("Confirme le QSO avec"),
                                     QStringLiteral("Confirme le QSO avec "),
                                     QStringLiteral("Merci Pour le QSO"),
                                     QStringLiteral("  73's de "),
                                     QStringLiteral("   73's de "),
                                     QStringLiteral("par Q1BRV"),
                                     80,
                                     88};
    static const LabelPhrases english{QStringLiteral("Confirming QSO with"),
                                      QStringLiteral("Confirming QSO with "),
                                      QStringLiteral("Tnx for the QSO"),
                                      QStringLiteral("  73's from "),
                                      QStringLiteral("   73's from "),
                                      QStringLiteral("by Q1BRV"),
                                      81,
                                      89};
    return language == LabelLanguage::French ? french : english;
}

} // namespace orvel
