// What the windows share: the current activation (a snapshot of its nine fields), the open
// references in list order and the current log, held once. The setup window writes it when it
// hands over to QSO entry, the command line when it opens a reference; every other window
// reads it, so none reads another window's controls.
//
// The session is the only writer of the open logs. Each write goes to every log it concerns,
// keeps the current log in step and announces the change through the one model the session
// owns (model()), which every list of the log shows or follows: no view can miss a change.
// Before it reads or rewrites, it checks that the current log's file is what it last read, so
// that a line another program wrote is read, never overwritten; it also watches the file, so
// that such a change is shown within a second.
#pragma once

#include "Activation.h"
#include "CurrentLog.h"
#include "LogListModel.h"
#include "UnfinishedWrites.h"

#include <QObject>
#include <QStringList>

class QFileSystemWatcher;
class QTimer;

namespace orvel {

class Session : public QObject
{
    Q_OBJECT
public:
    explicit Session(QString folder, QObject *parent = nullptr);
    // A session opened at once on an activation and its group.
    Session(QString folder, const Activation &current, const QStringList &openReferences,
            QObject *parent = nullptr);
    ~Session() override;

    // The folder of every data file.
    const QString &folder() const { return m_folder; }
    const Activation &activation() const { return m_activation; }
    // The reference that names the current log.
    const QString &currentReference() const { return m_activation.reference; }
    // The references of the open activations, in list order.
    const QStringList &openReferences() const { return m_open; }
    // Where a QSO goes: the open references, or the current one alone when none is open.
    QStringList storeReferences() const;
    const CurrentLog &currentLog() const { return m_log; }
    // The current log as a list model: the one announcer of its changes.
    LogListModel &model() { return *m_model; }
    const LogListModel &model() const { return *m_model; }
    // For reading logs (exports, listings); writes go through the session.
    LogFiles logFiles() const { return LogFiles(m_folder); }

    // Makes an activation and its group current and reads its log.
    void open(const Activation &current, const QStringList &openReferences);

    // The writes of the open logs.
    // A QSO at the end of the log of every reference of storeReferences(). When one log
    // cannot take it, it is taken back from the others (see LogFiles::append).
    LogWriteResult append(const QString &line);
    // Every line equal to oldLine becomes newLine in those logs; nothing is written anywhere
    // unless the current log holds oldLine (lineMissing is then set).
    LogWriteResult replace(const QString &oldLine, const QString &newLine);
    // A QSO placed at its moment in those logs.
    LogWriteResult insert(const QString &line);
    // Many QSOs placed at their moments in those logs (QSOs of one moment in the order given),
    // each log rewritten once for all of them; no log changes unless all of them can (see
    // LogFiles::insertMany). A few lines are announced row by row, more as a reset of the model.
    LogWriteResult insertMany(const QStringList &lines);
    // A QSO is stored in every open log, so it is deleted from every open log that holds it:
    // the line at row of the current log, provided the file still holds expectedLine there,
    // and the same line of each other log of storeReferences() (see LogFiles::removeFromAll),
    // all or none. removedFrom gets the logs that lost it.
    LogFiles::RemoveOutcome remove(qsizetype row, const QString &expectedLine,
                                   QString *error = nullptr, QStringList *removedFrom = nullptr);
    // The logs a deletion of line changes, in the group's order: the current one, and those of
    // storeReferences() that hold it.
    QStringList logsHolding(const QString &line) const;
    // A deleted QSO put back at its moment into the logs of references (those it was taken
    // from, which may no longer be open).
    LogWriteResult recover(const QStringList &references, const QString &line);
    FileResult recover(const QString &reference, const QString &line);

    // The writes to several logs that a stop of the program left half done, among those that
    // concern the open group: each compared over its logs (see checkUnfinishedWrites).
    QList<UnfinishedWrite> unfinishedWrites() const;
    // Copies the lines the logs of writes lack, then forgets those writes; the current log is
    // read again. Returns the French message of what could not be copied (those writes are
    // kept, to be offered again), empty when everything was.
    QString finishUnfinishedWrites(const QList<UnfinishedWrite> &writes);
    // Forgets writes whose logs agree.
    void forgetUnfinishedWrites(const QList<UnfinishedWrite> &writes);

    // Reads the current log again when its file is no longer what was last read or written
    // here (another program changed it): true when it did. Costs one stat otherwise. Called
    // before every view, tally, listing, export and label run reads the log.
    bool refresh();
    // Whether the current log's file is watched for changes made by other programs (off by
    // default: the windows turn it on; the command line reads once).
    void setWatching(bool on);

signals:
    void activationChanged();
    // The current log was read again because another program changed its file.
    void changedOutside();

private:
    // Takes in the change just written to the current log, or reads it again when the file
    // holds something else.
    void followAppend(const QString &line);
    void followReplace(const QString &oldLine, const QString &newLine);
    void followInsert(const QString &line);
    void followInsertMany(const QStringList &lines);
    void followRemove(qsizetype row);
    void reread();
    // Notes a write about to go to several logs in the journal (nothing for one log); the
    // note is taken back by endWrite once the logs agree again.
    // A correction is noted with the lines it replaces (replaced, one for each of lines).
    WriteJournal::Mark noteWrite(const QStringList &references, const QStringList &lines,
                                 const QStringList &replaced = {}) const;
    void endWrite(const WriteJournal::Mark &noted, const QStringList &references,
                  const LogWriteResult &result) const;
    void watchCurrentLog();
    void onFileEvent();

    QString m_folder;
    Activation m_activation;
    QStringList m_open;
    CurrentLog m_log;
    LogListModel *m_model = nullptr;
    QFileSystemWatcher *m_watcher = nullptr;
    QTimer *m_settle = nullptr;
    bool m_watching = false;
};

} // namespace orvel
