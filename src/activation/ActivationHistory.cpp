#include "ActivationHistory.h"

#include "common/FileRead.h"
#include "common/TextFile.h"
#include "records/ActivationList.h"
#include "records/LogFiles.h"

#include <QHash>

#include <algorithm>

namespace orvel {

namespace {

bool holdsMoreThanBlanks(QByteArrayView line)
{
    return std::any_of(line.begin(), line.end(), [](char c) { return c != ' '; });
}

// One log read for the history: its QSOs, and into lines how often it holds each line (kept
// as a hash of the line: a long log is not held twice).
int countLog(const QString &path, QHash<size_t, int> &mostOften)
{
    const QByteArray bytes = readFileBytes(path).bytes;
    QHash<size_t, int> own;
    int count = 0;
    forEachByteLine(bytes, [&](const ByteLine &line) {
        const QByteArrayView text = line.in(bytes);
        if (!holdsMoreThanBlanks(text))
            return;
        ++count;
        ++own[qHash(text, size_t(0x9E3779B97F4A7C15ull))];
    });
    for (auto it = own.cbegin(); it != own.cend(); ++it) {
        int &most = mostOften[it.key()];
        most = std::max(most, it.value());
    }
    return count;
}

} // namespace

QList<HistoryEntry> activationHistory(const QString &folder, HistoryTotal *total)
{
    const ActivationList list(folder);
    const LogFiles logs(folder);
    const QStringList lines = list.lines();
    const QList<ListEntry> entries = list.entries();

    // A reference registered in several groups has one log: read it once.
    QHash<QString, HistoryEntry> counted;
    QHash<size_t, int> mostOften;
    QList<HistoryEntry> history;
    history.reserve(entries.size());
    for (auto it = entries.crbegin(); it != entries.crend(); ++it) {
        HistoryEntry entry;
        entry.activation = parseActivationLine(lines.at(it->line));
        const QString &reference = entry.activation.reference;
        if (!counted.contains(reference)) {
            HistoryEntry log;
            log.logExists = !reference.isEmpty() && logs.exists(reference);
            if (log.logExists) {
                log.qsoCount =
                    total ? countLog(logs.path(reference), mostOften) : logs.qsoCount(reference);
                if (total)
                    ++total->logs;
            }
            counted.insert(reference, log);
        }
        entry.logExists = counted.value(reference).logExists;
        entry.qsoCount = counted.value(reference).qsoCount;
        history.append(entry);
    }
    if (total) {
        for (const int times : std::as_const(mostOften))
            total->qsos += times;
    }
    return history;
}

QString historySummary(qsizetype activations, const HistoryTotal &total)
{
    if (activations == 0)
        return QStringLiteral("Aucune activation enregistrée");
    return QStringLiteral("%1 activation(s), %2 QSO (dans %3 %4)")
        .arg(activations)
        .arg(total.qsos)
        .arg(total.logs)
        .arg(total.logs == 1 ? QStringLiteral("log") : QStringLiteral("logs"));
}

} // namespace orvel
