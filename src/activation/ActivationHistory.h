// The history of the activations: every activation line of the list file with the number of
// QSOs in its log, the newest registration first.
#pragma once

#include "records/Activation.h"

#include <QList>

namespace orvel {

struct HistoryEntry {
    Activation activation;
    int qsoCount = 0;
    bool logExists = false;
};

// The QSOs of the logs of the history, each counted once: a QSO stored in the logs of a group
// is one QSO however many logs hold it (a line is counted as often as the log holding it most
// often holds it).
struct HistoryTotal {
    int qsos = 0;
    int logs = 0; // the logs that exist
};

// Marker and count lines are left out; a missing list file gives no entries, a missing log a
// count of 0. The QSOs are the log's non-blank lines. total, when given, gets the QSOs of all
// the logs counted once.
QList<HistoryEntry> activationHistory(const QString &folder, HistoryTotal *total = nullptr);

// The text above the history: "3 activation(s), 53 QSO (dans 3 logs)".
QString historySummary(qsizetype activations, const HistoryTotal &total);

} // namespace orvel
