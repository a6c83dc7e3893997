// Writes to several logs that a stop of the program left half done. A QSO stored or inserted
// goes to each log of the group in turn; killed in between, the program would leave one log
// with a line the others lack. The session notes each such write in a journal of the data
// folder before the first log and takes the note back once every log is written; a note still
// there at the next opening of the group names the lines to look for.
#pragma once

#include "common/SafeWrite.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace orvel {

class Dialogs;
class LogFiles;
class Session;

// One write to several logs, as noted before it began: the logs and the lines (their bytes).
// A correction is noted as the lines it replaces, each with the line that takes its place.
struct JournalEntry {
    QStringList references;
    QList<QByteArray> lines;
    QList<QByteArray> replaced; // empty, or the old line of each of lines
    bool operator==(const JournalEntry &) const = default;
};

// The journal file of a data folder. Its name is one of the program's own, refused as a
// reference, so that it can never be taken for a log. It is opened, written, cut back and
// removed only as a regular file of its own: a link under its name is never followed (it could
// lead to a log), a pipe never waited on; anything but a regular file is left alone and told
// (placeProblem), and writes then go on without a journal.
class WriteJournal
{
public:
    explicit WriteJournal(QString folder);
    static QString fileName();
    QString path() const;

    // Where begin() left the journal: its size before the note and the file it wrote to, so
    // that finished() cuts back that file only.
    struct Mark {
        qint64 sizeBefore = -1; // -1: nothing was noted
        quint64 device = 0;
        quint64 inode = 0;
        bool noted() const { return sizeBefore >= 0; }
    };

    // Notes a write about to begin, after the notes already there. A stop at any moment leaves
    // the journal absent or holding whole notes: a journal that did not exist is written beside
    // and renamed into place. Not flushed to disk: it only has to outlive the process.
    Mark begin(const QStringList &references, const QList<QByteArray> &lines,
               const QList<QByteArray> &replaced = {}) const;
    // Takes back the note begin() made: the journal is cut back to its former size, or removed
    // when it held nothing else, provided it is still the file begin() wrote to.
    void finished(const Mark &mark) const;

    // What stands under the journal's name when it is not a regular file (a link, a pipe, a
    // folder…), in French; nothing when it is one or is absent.
    std::optional<QString> placeProblem() const;

    // The notes the journal holds. A note cut short (the process stopped while writing it: no
    // log was written yet), a damaged or foreign text, or a reference that could not name a
    // file are left out, with a diagnostic.
    QList<JournalEntry> entries() const;
    // The journal rewritten with its whole notes only, when it holds anything else (nothing at
    // all, a note cut short by a stop, damaged text); removed when no note is left. Only while
    // no other copy of the program can be writing to it.
    void tidy() const;
    // The journal rewritten with these notes only (removed when there are none).
    FileResult keepOnly(const QList<JournalEntry> &entries) const;

private:
    QString m_folder;
};

// The lines one log lacks; for a correction, the old line it still holds in place of each.
struct MissingLines {
    QString reference;
    QList<QByteArray> lines;
    QList<QByteArray> replaced;
    bool operator==(const MissingLines &) const = default;
};

// A noted write compared over its logs: where the logs that exist differ only by lines of the
// note that some hold and others lack, the lines each lacking log needs.
struct UnfinishedWrite {
    JournalEntry entry;
    QList<MissingLines> missing; // empty: the logs agree on the noted lines
    bool agrees() const { return missing.isEmpty(); }
};

// Each note of journal that names one of references, compared over its logs. A note whose logs
// cannot be read is left out.
QList<UnfinishedWrite> checkUnfinishedWrites(const LogFiles &logs,
                                             const QList<JournalEntry> &journal,
                                             const QStringList &references);

// The missing lines written into a log: each goes just after the line that precedes it in a log
// that holds it (as the interrupted write would have put it), or at its moment when that line
// is not there. The log is rewritten safely; nothing of it is removed.
FileResult copyMissingLines(const LogFiles &logs, const UnfinishedWrite &write,
                            const MissingLines &missing);

// The lines each log lacks, as the messages show them (a long list is cut).
QString missingLinesText(const QList<UnfinishedWrite> &writes);
// The question asked when a group is opened.
QString unfinishedWritesQuestion(const QList<UnfinishedWrite> &writes);
// The warning of the command line, which changes nothing.
QString unfinishedWritesWarning(const QList<UnfinishedWrite> &writes);

// When the open group's logs lack lines of an interrupted write, asks whether to copy them and
// does so through the session; notes of writes whose logs agree are dropped. A refusal changes
// nothing: the question comes back at the next opening.
void offerUnfinishedWrites(Session &session, Dialogs &dialogs);

} // namespace orvel
