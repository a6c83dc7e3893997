#include "ActivationHistory.h"

#include "records/ActivationList.h"
#include "records/LogFiles.h"

#include <QHash>

namespace orvel {

QList<HistoryEntry> activationHistory(const QString &folder)
{
    const ActivationList list(folder);
    const LogFiles logs(folder);
    const QStringList lines = list.lines();
    const QList<ListEntry> entries = list.entries();

    // A reference registered in several groups has one log: read it once.
    QHash<QString, HistoryEntry> counted;
    QList<HistoryEntry> history;
    history.reserve(entries.size());
    for (auto it = entries.crbegin(); it != entries.crend(); ++it) {
        HistoryEntry entry;
        entry.activation = parseActivationLine(lines.at(it->line));
        const QString &reference = entry.activation.reference;
        if (!counted.contains(reference)) {
            HistoryEntry log;
            log.logExists = !reference.isEmpty() && logs.exists(reference);
            if (log.logExists)
                log.qsoCount = logs.qsoCount(reference);
            counted.insert(reference, log);
        }
        entry.logExists = counted.value(reference).logExists;
        entry.qsoCount = counted.value(reference).qsoCount;
        history.append(entry);
    }
    return history;
}

} // namespace orvel
