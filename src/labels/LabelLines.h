// The lines of one label. Formats 1 to 4 centre each line in a field width of characters
// around one flexible gap, the left label padded to exactly that width so that the right
// label of every line starts at the same place; format 5 only indents each line.
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

// A line of formats 1 to 4: the text before the flexible gap and the text after it. When the
// line is longer than its width, cutLength characters of the variable part, which ends at
// cutEnd in after, are dropped.
struct FlexLine {
    QString before;
    QString after;
    qsizetype cutEnd = -1; // the end of the variable part in after; -1: the end of after
};

// The same line laid out for the left and the right label of a row.
struct CentredLine {
    QString left;  // exactly the width (a line that does not fit is cut to it)
    QString right; // the pad and the text
};

// The centring rule: P is the length of the text with a one-blank gap, pad is (W - P) / 2
// rounded down, and the gap has two blanks when W - P is odd. A line longer than W gets no
// pad and a one-blank gap, and loses the end of its variable part.
CentredLine centreLine(const FlexLine &line, int width);

// The lines of formats 1 to 4, from the label's own QSO and the texts of the run.
FlexLine confirmationLine(const LabelQso &qso, LabelLanguage language); // line 1
FlexLine activationLine(const ActivationTexts &activation);             // line 2, or 3 of two
FlexLine communeLine(const ActivationTexts &activation);                // line 3, one activation
FlexLine dateLine(const LabelQso &qso);                                 // line 4
FlexLine stationLine(const StationTexts &station);                      // line 5
FlexLine thanksLine(const QString &activator, LabelLanguage language);  // line 6

// Line 3 of one activation without a canton number: placed as the "DDCF " line with an empty
// canton would be, without its "DDCF ", one character wider on the left label.
CentredLine communeLineWithoutCanton(const ActivationTexts &activation, int width);

// The credit line under a row of formats 1 to 4.
QString creditLine(LabelLanguage language);

// Format 5: pad blanks then the text, pad being the nearest integer to (width - counted) / 2,
// a half rounding to the even one. A line whose pad would be negative gets none, and loses the
// end of its variable part (text.mid(cutStart, ...) up to cutEnd) down to the width.
struct PlacedLine {
    QString text;
    int counted = 0;
    qsizetype cutEnd = -1; // the end of the variable part; -1: the end of text
};
QString placeLine(const PlacedLine &line, int width);
int halfToEven(int twice);

PlacedLine placedConfirmationLine(const LabelQso &qso, LabelLanguage language);
// The date line of a column; counted comes from the column-1 QSO.
PlacedLine placedDateLine(const LabelQso &qso, const LabelQso &firstColumnQso);
PlacedLine placedActivationLine(const ActivationTexts &activation);
PlacedLine placedCommuneLine(const ActivationTexts &activation);
PlacedLine placedStationLine(const StationTexts &station);
PlacedLine placedThanksLine(const QString &activator, LabelLanguage language);

} // namespace orvel
