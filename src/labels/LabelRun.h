// A label run as a print script: the QSOs chosen, the activations, the station texts, the
// language, the sheet format and the pause option in; the printer operations out. Every sheet
// is a document of its own; a question between sheets stops the run when answered No (the
// player then sends the sheet in progress and plays nothing more).
#pragma once

#include "LabelFormat.h"
#include "LabelLines.h"
#include "print/PrintScript.h"

#include <QStringList>
#include <optional>

namespace orvel {

struct LabelRunInput {
    QStringList entries; // the chosen selection entries, in list order
    ActivationTexts first;
    std::optional<ActivationTexts> second; // with two activations per label
    QString activator;
    StationTexts station;
    LabelLanguage language = LabelLanguage::French;
    int format = 1;
    bool pauseEachSheet = false;
    // What the printer's font goes back to at the end of the run.
    QString restoreFamily;
    double restoreSize = 10;
};

PrintScript labelRunScript(const LabelRunInput &input);

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
