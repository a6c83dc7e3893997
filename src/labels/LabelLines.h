// The lines of one label. Formats 1 to 4 centre each line in a field width of characters
// around one flexible gap; format 5 indents each line by a count of blanks.
#pragma once

#include "LabelFormat.h"
#include "SelectionEntry.h"

#include <QString>

namespace orvel {

// What a label prints of an activation, read from Liste_Activite.txt.
struct ActivationTexts {
    QString reference;
    QString name;
    QString canton;
    QString postalCode;
    QString commune;

    bool operator==(const ActivationTexts &) const = default;
};

// The station texts printed on the TX line.
struct StationTexts {
    QString transceiver;
    QString antenna;
};

// The QSO of an empty label: dotted fields where a place of a row has no QSO left.
LabelQso emptyLabelQso();
// The QSO of a label: an empty entry (no QSO) gives the dotted fields.
LabelQso labelQsoOrEmpty(const QString &entry);

// A line of formats 1 to 4: the text before the flexible gap and the text after it.
struct FlexLine {
    QString before;
    QString after;
};

// The centring rule: P is the length of the text with a one-blank gap, and the gap has two
// blanks when the width less P is odd, so that the text stands in the middle of a field of
// width characters. Returns the text with its gap and without its pad: a label's box centres
// it. A line longer than the width keeps every character, with a one-blank gap.
QString centredText(const FlexLine &line, int width);

// The lines of formats 1 to 4, from the label's own QSO and the texts of the run.
FlexLine confirmationLine(const LabelQso &qso, LabelLanguage language); // line 1
FlexLine activationLine(const ActivationTexts &activation);             // line 2, or 3 of two
// Line 3 of one activation: "DDCF ", the canton, the gap, the postal code and the commune;
// without a canton number, the postal code and the commune alone.
FlexLine communeLine(const ActivationTexts &activation);
FlexLine dateLine(const LabelQso &qso);                                // line 4
FlexLine stationLine(const StationTexts &station);                     // line 5
FlexLine thanksLine(const QString &activator, LabelLanguage language); // line 6

// The credit under each label of formats 1 to 4, and how many characters of a row's credit
// line stand before it on the left label.
QString creditText(LabelLanguage language);
int creditIndent(LabelLanguage language);

// Format 5: pad blanks then the text, pad being the nearest integer to (width - counted) / 2,
// a half rounding to the even one, and never below zero. The text is never cut: a label's box
// fits it.
struct PlacedLine {
    QString text;
    int counted = 0;
};
struct PlacedText {
    int pad = 0;
    QString text;
    bool operator==(const PlacedText &) const = default;
};
PlacedText placeLine(const PlacedLine &line, int width);
int halfToEven(int twice);

PlacedLine placedConfirmationLine(const LabelQso &qso, LabelLanguage language);
// The date line of a column; counted comes from the column-1 QSO.
PlacedLine placedDateLine(const LabelQso &qso, const LabelQso &firstColumnQso);
PlacedLine placedActivationLine(const ActivationTexts &activation);
PlacedLine placedCommuneLine(const ActivationTexts &activation);
PlacedLine placedStationLine(const StationTexts &station);
PlacedLine placedThanksLine(const QString &activator, LabelLanguage language);

} // namespace orvel
