// A label run as a print script: the QSOs chosen, the activations, the station texts, the
// language, the sheet format, the calibration offset and the pause option in; the printer
// operations out. Every label is drawn in its own box, the label's place on the sheet less an
// inset, its lines spread over the box's height. Every sheet is a document of its own; a
// question between sheets stops the run when answered No (the player then sends the sheet in
// progress and plays nothing more).
#pragma once

#include "LabelFormat.h"
#include "LabelLines.h"
#include "print/PrintScript.h"

#include <QStringList>
#include <functional>
#include <optional>

namespace orvel {

struct LabelRunInput {
    QStringList entries; // the chosen selection entries, in list order
    // Or, for a run of a whole long log, entryCount entries made as the labels are drawn: the
    // i-th is entryOf(i). Used when entryOf is set.
    qsizetype entryCount = 0;
    std::function<QString(qsizetype i)> entryOf;
    ActivationTexts first;
    std::optional<ActivationTexts> second; // with two activations per label
    QString activator;
    StationTexts station;
    LabelLanguage language = LabelLanguage::French;
    int format = 1;
    bool pauseEachSheet = false;
    // The calibration offset, in millimetres, right and down positive.
    double offsetX = 0;
    double offsetY = 0;
    // The outlines of every label of a sheet, as guides that a preview shows.
    bool outlines = false;
    // What the printer's font goes back to at the end of the run.
    QString restoreFamily;
    double restoreSize = 10;
};

PrintScript labelRunScript(const LabelRunInput &input);
// The same made a sheet at a time as it is played: the labels of a long log never stand whole
// as a script.
ScriptPieces labelRunPieces(const LabelRunInput &input);
// The number of labels of the run.
qsizetype labelCount(const LabelRunInput &input);

// One sheet of the format with the outline of each label and a cross at each of its corners,
// moved by the calibration offset: printed on plain paper and held against a sheet of labels,
// it shows how far the printer places the labels from where they are.
PrintScript calibrationGridScript(int format, double offsetX, double offsetY);

// A label's line as it is placed: its text, size and weight, its place across the label's box
// (centred, or from an indent), and the room before it, in points, given to the gap above it
// when the box has height to spare.
struct LabelLine {
    QString text;
    double size = 10;
    bool bold = false;
    bool centred = true;
    double indentMm = 0;
    double roomBefore = 0;
};

// The box of each line: the lines stacked from the box's top to its bottom, each as tall as
// its size allows, the height to spare shared among the gaps; lines that do not fit are made
// smaller together.
QList<MmRect> stackLines(const QList<LabelLine> &lines, const MmRect &box);
// The height of a line of size points, in millimetres, room enough for the fonts' accents
// above and descenders below.
double lineHeightMm(double points);

// The activation texts of the first line of Liste_Activite.txt whose reference is reference
// (case counts); none when no line has it.
std::optional<ActivationTexts> findActivationTexts(const QStringList &listLines,
                                                   const QString &reference);

// The activation texts of the last runs: each run looks its activations up again, and keeps
// the texts of the previous run for an activation it does not find (empty before the first).
class RememberedActivations
{
public:
    // The texts for a run naming first (and second, with two activations per label).
    void lookUp(const QStringList &listLines, const QString &first,
                const std::optional<QString> &second);
    const ActivationTexts &first() const { return m_first; }
    // Only the reference and the name of the second activation are printed.
    const ActivationTexts &second() const { return m_second; }

private:
    ActivationTexts m_first;
    ActivationTexts m_second;
};

} // namespace orvel
