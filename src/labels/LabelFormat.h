// The five label sheet formats, with the layout constants of each, and the texts of the two
// label languages.
#pragma once

#include <QString>

namespace orvel {

inline constexpr int kLabelFormatCount = 5;
inline constexpr int kLabelRowsPerSheet = 8;
inline constexpr int kPlacedFormat = 5;

// Formats 1 to 4: lines of text in a fixed-pitch font, two labels side by side on each line.
// Sizes are in points; a spacer is an empty line at its size.
struct TextRowLayout {
    int topSpacers = 0; // before the first label row of a sheet
    double topSpacerSize = 0;
    double line1Size = 0;
    int line1Width = 0;
    double innerSpacer = 0; // after line 3 and after line 4
    double betweenRows = 0; // between two label rows of a sheet
    double rowPitchMm = 0;  // the sheet's label pitch, which one printed row must measure
};

struct LabelFormat {
    int number = 1;
    QString caption; // the option's caption, blanks included
    int labelsAcross = 2;
    TextRowLayout rows; // formats 1 to 4
    QString question;   // asked after a full sheet when printing pauses
    bool yesEndsSheet = true;
};

// The format of a number from 1 to 5.
const LabelFormat &labelFormat(int number);
bool isLabelFormat(int number);

// The sum of the sizes of one label row of a text-row format, in points: its nine printed
// lines and spacers and the spacer to the next row.
double rowPoints(const TextRowLayout &rows);
// The factor that makes a printed line or spacer of s points advance s times it, so that
// one label row measures the sheet's label pitch.
double lineAdvanceFactor(const TextRowLayout &rows);

// Lines 2 to 6 of formats 1 to 4.
inline constexpr double kBodySize = 10;
inline constexpr int kBodyWidth = 48;
inline constexpr double kCreditSize = 5;

// Format 5, in millimetres from the top-left corner of the printable area.
namespace placed {
inline constexpr double kColumnLeft[3] = {0, 66, 132};
inline constexpr double kRowPitch = 37;
inline constexpr double kLine1Top = 2;
inline constexpr double kFirstColumnIndent = 3;
inline constexpr double kFirstColumnLine1Size = 11;
inline constexpr double kLine1Size = 12;
inline constexpr double kBodyTop = 7;
inline constexpr double kBodySize = 8;
inline constexpr double kCreditLeft = 50;
inline constexpr double kCreditTop = 26.5;
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
    int creditIndent = 0;   // blanks before the left credit
    int creditGap = 0;      // blanks between the two credits
};

const LabelPhrases &labelPhrases(LabelLanguage language);

// The fonts asked for by name.
inline const QString kTextRowFont = QStringLiteral("Courier New");
inline const QString kPlacedFont = QStringLiteral("Letter Gothic");

} // namespace orvel
