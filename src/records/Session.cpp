#include "Session.h"

#include "Diagnostics.h"
#include "common/Windows1252.h"

#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QTimer>

#include <algorithm>
#include <optional>
#include <vector>

namespace orvel {

namespace {
// How long the file must stay quiet before an outside change is read: an editor's save is
// several writes.
constexpr int kSettleMilliseconds = 250;
// Up to this many lines inserted at once are announced row by row; beyond, the views are told
// the log was read again, which costs them less than thousands of insertions.
constexpr qsizetype kRowByRowInsertions = 64;
} // namespace

Session::Session(QString folder, QObject *parent)
    : QObject(parent)
    , m_folder(std::move(folder))
    , m_log(LogFiles(m_folder))
    , m_model(new LogListModel(m_log, this))
{
}

Session::Session(QString folder, const Activation &current, const QStringList &openReferences,
                 QObject *parent)
    : Session(std::move(folder), parent)
{
    open(current, openReferences);
}

Session::~Session() = default;

QStringList Session::storeReferences() const
{
    if (m_open.isEmpty())
        return {m_activation.reference};
    return m_open;
}

void Session::open(const Activation &current, const QStringList &openReferences)
{
    m_activation = current;
    m_open = openReferences;
    m_model->beginReset();
    m_log.load(m_activation.reference);
    m_model->endReset();
    watchCurrentLog();
    emit activationChanged();
}

// --- The writes ------------------------------------------------------------------------------

LogWriteResult Session::append(const QString &line)
{
    refresh();
    const QStringList references = storeReferences();
    const WriteJournal::Mark noted = noteWrite(references, {line});
    const LogWriteResult result = logFiles().append(references, line);
    endWrite(noted, references, result);
    if (result.ok() && references.contains(currentReference()))
        followAppend(line);
    else
        refresh();
    return result;
}

LogWriteResult Session::replace(const QString &oldLine, const QString &newLine)
{
    refresh();
    const QStringList references = storeReferences();
    const bool followed = references.contains(currentReference());
    // The current log is written from the bytes the session holds: refresh() has just found
    // its file as they stand.
    // The pieces stand on newBytes and on the log's own bytes until the files are written.
    const QByteArray newBytes = encodeWindows1252(newLine);
    std::optional<HeldChange> held;
    if (followed && m_log.holdsFile()) {
        const QList<qsizetype> rows = m_log.rowsHolding(encodeWindows1252(oldLine));
        held =
            HeldChange{currentReference(), m_log.piecesReplacing(rows, newBytes), !rows.isEmpty()};
    }
    // Noted as the line and its correction: a stop between two logs leaves some corrected, and
    // mending them corrects the others.
    const WriteJournal::Mark noted = noteWrite(references, {newLine}, {oldLine});
    const LogWriteResult result = logFiles().replace(references, newLine, oldLine,
                                                     currentReference(), held ? &*held : nullptr);
    // Nothing written anywhere (the current log lacks the line) leaves the logs agreeing.
    endWrite(noted, references, result.lineMissing ? LogWriteResult{} : result);
    held.reset();
    if (result.lineMissing || result.failedReferences.contains(currentReference()) || !followed)
        refresh();
    else
        followReplace(oldLine, newLine);
    return result;
}

LogWriteResult Session::insert(const QString &line)
{
    refresh();
    const QStringList references = storeReferences();
    const bool followed = references.contains(currentReference());
    const QByteArray bytes = encodeWindows1252(line);
    std::optional<HeldChange> held;
    if (followed && m_log.holdsFile()) {
        held =
            HeldChange{currentReference(), m_log.piecesInserting(m_log.insertionRow(bytes), bytes)};
    }
    const WriteJournal::Mark noted = noteWrite(references, {line});
    const LogWriteResult result = logFiles().insert(references, line, held ? &*held : nullptr);
    endWrite(noted, references, result);
    held.reset();
    if (result.failedReferences.contains(currentReference()) || !followed)
        refresh();
    else
        followInsert(line);
    return result;
}

LogWriteResult Session::insertMany(const QStringList &lines)
{
    refresh();
    if (lines.isEmpty())
        return {};
    const WriteJournal::Mark noted = noteWrite(storeReferences(), lines);
    const LogWriteResult result = logFiles().insertMany(storeReferences(), lines);
    endWrite(noted, storeReferences(), result);
    if (result.failedReferences.contains(currentReference()) ||
        !storeReferences().contains(currentReference()))
        refresh();
    else
        followInsertMany(lines);
    return result;
}

namespace {

// The other logs of a change to the current one, in the order the group lists them.
QStringList withCurrentFirst(const QString &current, QStringList references)
{
    references.removeAll(current);
    references.prepend(current);
    return references;
}

} // namespace

QStringList Session::logsHolding(const QString &line) const
{
    QStringList others = storeReferences();
    others.removeAll(currentReference());
    const QStringList holding = logFiles().referencesHolding(others, line);
    // Named in the group's order, the current log among them.
    QStringList logs;
    for (const QString &reference : storeReferences()) {
        if (reference == currentReference() || holding.contains(reference))
            logs.append(reference);
    }
    if (!logs.contains(currentReference()))
        logs.prepend(currentReference());
    return logs;
}

LogFiles::RemoveOutcome Session::remove(qsizetype row, const QString &expectedLine, QString *error,
                                        QStringList *removedFrom)
{
    refresh();
    const QStringList references = withCurrentFirst(currentReference(), storeReferences());
    const QByteArray expected = encodeWindows1252(expectedLine);
    // The current log is written from the bytes the session holds: refresh() has just found
    // its file as they stand.
    std::optional<HeldChange> held;
    qsizetype occurrence = 0;
    if (m_log.holdsFile()) {
        if (row < 0 || row >= m_log.size() || m_log.rowBytes(row) != QByteArrayView(expected))
            return LogFiles::RemoveOutcome::Moved;
        const QList<qsizetype> equal = m_log.rowsHolding(expected);
        occurrence = equal.indexOf(row);
        held = HeldChange{currentReference(), m_log.piecesWithout(row)};
    }
    // Noted as the line it takes away: a stop between two logs leaves the line in some, and
    // mending them puts it back where it is missing, so no log loses more than the others.
    WriteJournal::Mark noted;
    const LogFiles::Removal removal = logFiles().removeFromAll(
        references, row, expectedLine, held ? &*held : nullptr, occurrence,
        [&](const QStringList &changing) { noted = noteWrite(changing, {expectedLine}); });
    held.reset();
    const bool agree =
        removal.outcome != LogFiles::RemoveOutcome::WriteFailed || removal.removedFrom.isEmpty();
    if (agree)
        WriteJournal(m_folder).finished(noted);
    if (error)
        *error = removal.error;
    if (removedFrom)
        *removedFrom = removal.removedFrom;
    if (removal.removedFrom.contains(currentReference()))
        followRemove(row);
    else
        refresh();
    return removal.outcome;
}

LogWriteResult Session::recover(const QStringList &references, const QString &line)
{
    refresh();
    const bool followed = references.contains(currentReference());
    const WriteJournal::Mark noted = noteWrite(references, {line});
    const LogWriteResult result = logFiles().insert(references, line);
    endWrite(noted, references, result);
    if (followed && !result.failedReferences.contains(currentReference()))
        followInsert(line);
    else
        refresh();
    return result;
}

FileResult Session::recover(const QString &reference, const QString &line)
{
    const LogWriteResult result = recover(QStringList{reference}, line);
    if (result.ok())
        return FileResult::success();
    return FileResult::failure(result.errors.join(QLatin1Char('\n')));
}

// --- Writes a stop left half done ---------------------------------------------------------------

WriteJournal::Mark Session::noteWrite(const QStringList &references, const QStringList &lines,
                                      const QStringList &replaced) const
{
    if (references.size() < 2)
        return {};
    if (!replaced.isEmpty()) {
        QList<QByteArray> encoded;
        QList<QByteArray> old;
        for (const QString &line : lines)
            encoded.append(encodeWindows1252(line));
        for (const QString &line : replaced)
            old.append(encodeWindows1252(line));
        return WriteJournal(m_folder).begin(references, encoded, old);
    }
    QList<QByteArray> encoded;
    encoded.reserve(lines.size());
    for (const QString &line : lines)
        encoded.append(encodeWindows1252(line));
    return WriteJournal(m_folder).begin(references, encoded);
}

void Session::endWrite(const WriteJournal::Mark &noted, const QStringList &references,
                       const LogWriteResult &result) const
{
    // A write that failed in some logs and could not be taken back from the others keeps its
    // note: the logs disagree, and the next opening offers to mend them.
    const bool agree =
        result.ok() || result.undone || result.failedReferences.size() == references.size();
    if (agree)
        WriteJournal(m_folder).finished(noted);
}

QList<UnfinishedWrite> Session::unfinishedWrites() const
{
    return checkUnfinishedWrites(logFiles(), WriteJournal(m_folder).entries(), storeReferences());
}

QString Session::finishUnfinishedWrites(const QList<UnfinishedWrite> &writes)
{
    const WriteJournal journal(m_folder);
    QList<JournalEntry> kept = journal.entries();
    QStringList failures;
    for (const UnfinishedWrite &write : writes) {
        bool whole = true;
        for (const MissingLines &missing : write.missing) {
            if (const FileResult copied = copyMissingLines(logFiles(), write, missing); !copied) {
                whole = false;
                failures.append(
                    QStringLiteral("Les lignes n'ont pas pu être copiées dans le log %1 : %2")
                        .arg(missing.reference, copied.error));
            }
        }
        if (whole)
            kept.removeOne(write.entry);
    }
    if (const FileResult saved = journal.keepOnly(kept); !saved)
        failures.append(saved.error);
    reread();
    if (failures.isEmpty())
        return {};
    return failures.join(QLatin1Char('\n')) +
           QStringLiteral(
               "\nLa copie sera proposée de nouveau à la prochaine ouverture du groupe.");
}

void Session::forgetUnfinishedWrites(const QList<UnfinishedWrite> &writes)
{
    if (writes.isEmpty())
        return;
    const WriteJournal journal(m_folder);
    QList<JournalEntry> kept = journal.entries();
    for (const UnfinishedWrite &write : writes)
        kept.removeOne(write.entry);
    if (const FileResult saved = journal.keepOnly(kept); !saved)
        qCWarning(lcRecords) << "Write journal not rewritten:" << saved.error;
}

// --- Keeping the current log in step -----------------------------------------------------------

void Session::followAppend(const QString &line)
{
    const QByteArray bytes = encodeWindows1252(line);
    if (!m_log.tookChange(bytes.size() + 2)) {
        reread();
        return;
    }
    m_model->beginAppend();
    m_log.appendLine(bytes);
    m_model->endAppend();
}

void Session::followReplace(const QString &oldLine, const QString &newLine)
{
    const QByteArray oldBytes = encodeWindows1252(oldLine);
    const QByteArray newBytes = encodeWindows1252(newLine);
    const QList<qsizetype> rows = m_log.rowsHolding(oldBytes);
    if (!m_log.tookChange(rows.size() * (newBytes.size() - oldBytes.size()))) {
        reread();
        return;
    }
    if (rows.isEmpty())
        return;
    m_log.replaceRows(rows, newBytes);
    // Rows come in log order.
    m_model->changed(rows.first(), rows.last());
}

void Session::followInsert(const QString &line)
{
    const QByteArray bytes = encodeWindows1252(line);
    if (!m_log.tookChange(bytes.size() + 2)) {
        reread();
        return;
    }
    const qsizetype row = m_log.insertionRow(bytes);
    m_model->beginInsert(row);
    m_log.insertLine(row, bytes);
    m_model->endInsert(row);
}

void Session::followInsertMany(const QStringList &lines)
{
    std::vector<QByteArray> encoded;
    std::vector<qint64> moments;
    encoded.reserve(size_t(lines.size()));
    moments.reserve(size_t(lines.size()));
    qint64 grown = 0;
    bool allTimed = true;
    for (const QString &line : lines) {
        encoded.push_back(encodeWindows1252(line));
        grown += encoded.back().size() + 2;
        const auto moment = qsoOrderKeyOfBytes(encoded.back());
        allTimed = allTimed && moment.has_value();
        moments.push_back(moment.value_or(0));
    }
    if (lines.size() > kRowByRowInsertions || !allTimed || !m_log.tookChange(grown)) {
        reread();
        return;
    }
    // Placed one at a time from the latest: each goes before the first line of its moment or
    // later, so lines of one moment keep the order they were given in.
    std::vector<size_t> order(encoded.size());
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    std::stable_sort(order.begin(), order.end(),
                     [&moments](size_t a, size_t b) { return moments[a] < moments[b]; });
    for (auto it = order.rbegin(); it != order.rend(); ++it) {
        const QByteArray &bytes = encoded[*it];
        const qsizetype row = m_log.insertionRow(bytes);
        m_model->beginInsert(row);
        m_log.insertLine(row, bytes);
        m_model->endInsert(row);
    }
}

void Session::followRemove(qsizetype row)
{
    if (row < 0 || row >= m_log.size() || !m_log.tookChange(-(m_log.rowBytes(row).size() + 2))) {
        reread();
        return;
    }
    m_model->beginRemove(row);
    m_log.removeRow(row);
    m_model->endRemove(row);
}

void Session::reread()
{
    m_model->beginReset();
    m_log.load(m_activation.reference);
    m_model->endReset();
    // A file replaced by another program is another file: the watch follows the name.
    watchCurrentLog();
}

bool Session::refresh()
{
    if (m_log.isCurrent())
        return false;
    reread();
    emit changedOutside();
    return true;
}

// --- Watching the file -------------------------------------------------------------------------

void Session::setWatching(bool on)
{
    m_watching = on;
    watchCurrentLog();
}

void Session::watchCurrentLog()
{
    if (!m_watching || m_activation.reference.isEmpty()) {
        delete m_watcher;
        m_watcher = nullptr;
        return;
    }
    if (!m_watcher) {
        m_watcher = new QFileSystemWatcher(this);
        m_settle = new QTimer(this);
        m_settle->setSingleShot(true);
        m_settle->setInterval(kSettleMilliseconds);
        connect(m_settle, &QTimer::timeout, this, &Session::refresh);
        connect(m_watcher, &QFileSystemWatcher::fileChanged, this, &Session::onFileEvent);
        connect(m_watcher, &QFileSystemWatcher::directoryChanged, this, &Session::onFileEvent);
    }
    const QString path = m_log.path();
    const QStringList files = m_watcher->files();
    for (const QString &file : files) {
        if (file != path)
            m_watcher->removePath(file);
    }
    // The folder tells of a log created or replaced under its name; the file, of a write.
    if (!m_watcher->directories().contains(m_folder) && QFileInfo(m_folder).isDir())
        m_watcher->addPath(m_folder);
    if (!path.isEmpty() && !files.contains(path) && QFileInfo::exists(path))
        m_watcher->addPath(path);
}

void Session::onFileEvent()
{
    // A file replaced by a rename is no longer watched under its name: watch it again.
    watchCurrentLog();
    m_settle->start();
}

} // namespace orvel
