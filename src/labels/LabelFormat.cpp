#include "LabelFormat.h"

#include <array>

namespace orvel {

namespace {

const QString kPageQuestion = QStringLiteral("Page suivante ?");
const QString kIndentedPageQuestion = QStringLiteral("               Page suivante ?");

// The sheets as their makers publish them: A4, eight rows, the rows following each other
// without a gap. Two columns of 99.1 mm leave 4.65 mm at each side and 2.5 mm between them;
// sheets of 105 mm and 70 mm labels run from edge to edge.
const QList<double> kNarrowColumns{4.65, 106.25};
const QList<double> kWideColumns{0, 105};
const QList<double> kThirdColumns{0, 70, 140};

const std::array<LabelFormat, kLabelFormatCount> &formats()
{
    static const std::array<LabelFormat, kLabelFormatCount> table{{
        {1, QStringLiteral("AVERY   L7162            99.1 x 33.9   16 étiquettes"), 2,
         TextRowLayout{13, 37, 8}, SheetGeometry{99.1, 33.9, kNarrowColumns, 12.9}, kPageQuestion},
        {2, QStringLiteral("AVERY   DP167               105 x 37   16 étiquettes"), 2,
         TextRowLayout{15, 32, 2}, SheetGeometry{105, 37, kWideColumns, 0.5},
         kIndentedPageQuestion},
        {3, QStringLiteral("DECADRY   OLW4732   99.1 x 34   16 étiquettes"), 2,
         TextRowLayout{13, 37, 8}, SheetGeometry{99.1, 34, kNarrowColumns, 12.5}, kPageQuestion},
        {4, QStringLiteral("DECADRY   OLW4799    105 x 35   16 étiquettes"), 2,
         TextRowLayout{15, 32, 8}, SheetGeometry{105, 35, kWideColumns, 8.5}, kPageQuestion},
        {5, QStringLiteral("AVERY  DP247                  70 x 37   24 étiquettes"), 3,
         TextRowLayout{}, SheetGeometry{70, 37, kThirdColumns, 0.5}, kIndentedPageQuestion},
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

MmRect labelRect(const LabelFormat &format, int row, int column, double dxMm, double dyMm)
{
    const SheetGeometry &sheet = format.sheet;
    return {sheet.columnLefts.value(column) + dxMm,
            sheet.firstRowTop + row * sheet.labelHeight + dyMm, sheet.labelWidth,
            sheet.labelHeight};
}

const LabelPhrases &labelPhrases(LabelLanguage language)
{
    static const LabelPhrases french{QStringLiteral("Confirme le QSO avec"),
                                     QStringLiteral("Confirme le QSO avec "),
                                     QStringLiteral("Merci Pour le QSO"),
                                     QStringLiteral("  73's de "),
                                     QStringLiteral("   73's de "),
                                     QStringLiteral("par Q1BRV"),
                                     80};
    static const LabelPhrases english{QStringLiteral("Confirming QSO with"),
                                      QStringLiteral("Confirming QSO with "),
                                      QStringLiteral("Tnx for the QSO"),
                                      QStringLiteral("  73's from "),
                                      QStringLiteral("   73's from "),
                                      QStringLiteral("by Q1BRV"),
                                      81};
    return language == LabelLanguage::French ? french : english;
}

} // namespace orvel
