// What the three label windows share: the QSOs chosen in Select_QSO, the activations chosen in
// Select_Acti, and the activation texts of the last runs. Select_QSO creates it and hands it
// to the windows it opens, so that none of them reads another's controls; a run reads it at
// the moment of "Imprimer".
#pragma once

#include "LabelRun.h"
#include "LabelSettings.h"
#include "SelectionEntry.h"
#include "SelectionModel.h"

#include <QStringList>
#include <memory>
#include <optional>

namespace orvel {

// The choice of Select_Acti: which of the open activations the labels name, and how many.
struct ActivationChoice {
    QStringList references; // the open activations, in list order
    QList<int> selectedRows;
    int perLabel = 1;

    // The selected activation with the lowest row; none when nothing is selected.
    std::optional<QString> first() const;
    // With two per label, the selected activation with the highest row (empty when nothing
    // is selected); none with one per label.
    std::optional<QString> second() const;
    // The message that refuses the choice; empty when it is accepted.
    QString refusal() const;
    void setSelected(int row, bool selected);
};

inline const QString kOneActivationRefusal = QStringLiteral("Une seule activité à selectionner");
inline const QString kTwoActivationsRefusal = QStringLiteral("Deux activités à selectionner");

// The settings of Etiquettes a run prints with.
struct SheetSetup {
    int format = 1;
    StationTexts station;
    LabelLanguage language = LabelLanguage::French;
    bool pauseEachSheet = false;
    LabelOffset offset;
};

class LabelJob
{
public:
    explicit LabelJob(std::shared_ptr<RememberedActivations> remembered =
                          std::make_shared<RememberedActivations>());
    LabelJob(const LabelJob &) = delete;
    LabelJob &operator=(const LabelJob &) = delete;

    // The QSOs not chosen, and those chosen for labels.
    SelectionModel &available() { return m_available; }
    SelectionModel &chosen() { return m_chosen; }
    const SelectionModel &chosen() const { return m_chosen; }

    // Adds the entries of log lines to the QSOs not chosen, each at its sorted place.
    void addLogLines(const QStringList &logLines);
    // Entries already sorted (sortEntries) become the QSOs not chosen, in one go; logRows,
    // when given, holds each one's log row.
    void setAvailable(QStringList sortedEntries, QList<qsizetype> logRows = {});
    // The same for the QSOs chosen.
    void setChosen(QStringList sortedEntries, QList<qsizetype> logRows = {});
    // Both lists made from the log's rows (selectionLists()): their entries are made from the
    // rows' lines when they are shown.
    void setLists(const std::shared_ptr<const LogRows> &rows, SelectionLists lists);
    void choose(int availableRow);
    void giveBack(int chosenRow);
    void chooseAll();
    // The log changed: count rows inserted before its row first, or its rows first to last
    // removed (their QSOs leave both lists). Every other entry keeps its list.
    void followInserted(qsizetype first, qsizetype count);
    void followRemoved(qsizetype first, qsizetype last);

    ActivationChoice &activations() { return m_activations; }
    const ActivationChoice &activations() const { return m_activations; }

    // The inputs of a run as things stand now: the activations are looked up in the lines of
    // Liste_Activite.txt, the texts of the last run standing in for one not found.
    LabelRunInput runInput(const SheetSetup &setup, const QStringList &activationListLines,
                           const QString &activator);

private:
    SelectionModel m_available;
    SelectionModel m_chosen;
    ActivationChoice m_activations;
    std::shared_ptr<RememberedActivations> m_remembered;
};

} // namespace orvel
