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

// Marker and count lines are left out; a missing list file gives no entries, a missing log a
// count of 0. The QSOs are the log's non-blank lines.
QList<HistoryEntry> activationHistory(const QString &folder);

} // namespace orvel
