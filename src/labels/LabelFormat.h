// The five label sheet formats, with the layout constants of each, where their labels stand
// on the sheet, and the texts of the two label languages.
#pragma once

#include "print/PrintScript.h"

#include <QList>
#include <QString>

namespace orvel {

inline constexpr int kLabelFormatCount = 5;
inline constexpr int kLabelRowsPerSheet = 8;
inline constexpr int kPlacedFormat = 5;

// Formats 1 to 4: lines of text in a fixed-pitch font. Sizes are in points.
struct TextRowLayout {
    double line1Size = 0;
    int line1Width = 0;     // the characters line 1 is centred in
    double innerSpacer = 0; // the room after line 3 and after line 4
};

// Where the labels stand on an A4 sheet in portrait position, in millimetres from the paper's
// top-left corner, as the sheet's maker publishes it.
struct SheetGeometry {
    double labelWidth = 0;
    double labelHeight = 0;
    QList<double> columnLefts; // the left edge of each column of labels
    double firstRowTop = 0;    // the top of the first row; the rows follow without a gap
};

inline constexpr double kSheetWidth = 210;
inline constexpr double kSheetHeight = 297;
// No ink nearer than this to a label's edge: a sheet fed a little askew still gets every
// character on its own label.
inline constexpr double kLabelInset = 1.5;

struct LabelFormat {
    int number = 1;
    QString caption; // the option's caption, blanks included
    int labelsAcross = 2;
    TextRowLayout rows; // formats 1 to 4
    SheetGeometry sheet;
    QString question; // asked after a full sheet when printing pauses
};

// The format of a number from 1 to 5.
const LabelFormat &labelFormat(int number);
bool isLabelFormat(int number);

// The label at a row (0 to 7) and a column of a sheet of the format, moved by the
// calibration offset (right and down positive).
MmRect labelRect(const LabelFormat &format, int row, int column, double dxMm = 0, double dyMm = 0);

// Lines 2 to 6 of formats 1 to 4.
inline constexpr double kBodySize = 10;
inline constexpr int kBodyWidth = 48;
inline constexpr double kCreditSize = 5;

// The character width of the fixed-pitch fonts, in ems.
inline constexpr double kTextRowPitch = 0.6;
inline constexpr double kPlacedPitch = 0.5;

// Format 5: sizes in points, places in millimetres from the label's left edge.
namespace placed {
inline constexpr double kFirstColumnIndent = 3;
inline constexpr double kFirstColumnLine1Size = 11;
inline constexpr double kLine1Size = 12;
inline constexpr double kBodySize = 8;
inline constexpr double kCreditLeft = 50;
inline constexpr double kCreditSize = 6;
inline constexpr int kLine1Width = 33;
inline constexpr int kBodyWidth = 50;
} // namespace placed

enum class LabelLanguage { French, English };

struct LabelPhrases {
    QString line1;          // formats 1-4
    QString line1Placed;    // format 5, ends with a blank
    QString thanks;         // every format
    QString greeting;       // before the activator, formats 1-4
    QString greetingPlaced; // format 5
    QString credit;         // formats 1-4
    int creditIndent = 0;   // blanks before the credit on a row's left label
};

const LabelPhrases &labelPhrases(LabelLanguage language);

// The fonts asked for by name.
inline const QString kTextRowFont = QStringLiteral("Courier New");
inline const QString kPlacedFont = QStringLiteral("Letter Gothic");

} // namespace orvel
