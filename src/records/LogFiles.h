// The log files of the activations: store, replace, insert, load.
#pragma once

#include "QsoLine.h"
#include "common/SafeWrite.h"
#include "common/TextFile.h"

#include <QStringList>
#include <functional>

namespace orvel {

// The outcome of a write to several logs: the references whose log did not get it.
struct LogWriteResult {
    QStringList failedReferences;
    QStringList errors;
    // Logs left as they were because they hold no line to replace.
    QStringList unchangedReferences;
    // The log that had to hold the line to replace did not: nothing was written anywhere.
    bool lineMissing = false;
    // An append that failed in some logs was taken back from the others: no log has it.
    bool undone = false;
    bool ok() const { return failedReferences.isEmpty(); }
    // The French message naming the logs that did not receive the QSO.
    QString message() const;
    // Records a log that could not be read or written.
    void fail(const QString &reference, const QString &error)
    {
        failedReferences.append(reference);
        errors.append(error);
    }
};

// One log's new content made by the caller from the bytes it holds (the session's current log,
// checked against its file just before): a change writes it as it is, without reading that
// file again.
struct HeldChange {
    QString reference;
    BytePieces pieces;
    bool changed = true; // false: the log holds nothing to change
};

class LogFiles
{
public:
    explicit LogFiles(QString folder);

    QString folder() const { return m_folder; }
    // The working directory's file of a reference: the reference followed by ".txt"; empty
    // for a reference that cannot name a file.
    QString path(const QString &reference) const;

    // The lines of a reference's log; a missing log has none.
    QStringList load(const QString &reference) const;
    bool exists(const QString &reference) const;
    // The number of QSOs of a reference's log: its lines holding more than blanks, counted on
    // the raw bytes (a long log is not decoded for it).
    int qsoCount(const QString &reference) const;
    FileResult createEmpty(const QString &reference) const;

    // Appends line to the log of every reference, in order (a missing log is created), each
    // flushed to disk before returning. When any log cannot take it, it is taken back from the
    // logs that did (undone), so that the group's logs still agree and storing again is safe.
    LogWriteResult append(const QStringList &references, const QString &line) const;

    // In every reference's log, every line exactly equal to oldLine becomes newLine. When
    // requiredIn is given, its log is read first and nothing is written anywhere unless it
    // holds oldLine (lineMissing is then set).
    LogWriteResult replace(const QStringList &references, const QString &newLine,
                           const QString &oldLine, const QString &requiredIn = {},
                           const HeldChange *held = nullptr) const;

    // Places line in every reference's log before the first line whose moment is later than
    // or equal to its own, or at the end. Lines without a valid date and time keep their
    // place and never decide the position.
    LogWriteResult insert(const QStringList &references, const QString &line,
                          const HeldChange *held = nullptr) const;

    // Places every line in every reference's log as insert does, each log rewritten once for
    // all of them. Lines of one moment stand in the order given. No log is changed unless every
    // log could be read and its new content written to disk (see
    // FileReplacements::finishTogether).
    LogWriteResult insertMany(const QStringList &references, const QStringList &lines) const;

    // Places line in one log, as insert does.
    FileResult insertOne(const QString &reference, const QString &line) const;

    enum class RemoveOutcome { Removed, Unreadable, Moved, WriteFailed };

    // One QSO removed from several logs at once. From the log of the first reference, the
    // line at index, provided it still reads expectedLine (Moved otherwise: nothing is written
    // anywhere); from each other log the same occurrence of that line (the n-th equal line when
    // the removed row is the n-th of the first log, its last when it holds fewer). A log that
    // does not hold the line is left as it is. No log changes unless every log that holds the
    // line can be read and written (see FileReplacements::finishTogether). held, when given,
    // is the first log's new content, already checked by the caller, and occurrence the rank
    // (from 0) of the removed row among the equal lines of that log.
    struct Removal {
        RemoveOutcome outcome = RemoveOutcome::Removed;
        QStringList removedFrom; // the logs that lost the line, in the order given
        QString failedReference;
        QString error;
    };
    // beforeWrite, when given, is told the logs about to change once every one is ready, just
    // before the first is replaced.
    Removal removeFromAll(const QStringList &references, qsizetype index,
                          const QString &expectedLine, const HeldChange *held = nullptr,
                          qsizetype occurrence = 0,
                          const std::function<void(const QStringList &)> &beforeWrite = {}) const;
    // The references whose log holds line, in the order given; a log that cannot be read is
    // counted as holding it (a removal will then say why it cannot be written).
    QStringList referencesHolding(const QStringList &references, const QString &line) const;

    // Rewrites one log whole, through a scratch file.
    FileResult rewrite(const QString &reference, const QStringList &lines) const;

private:
    QString m_folder;
};

// The byte where a line of the given moment goes among the lines of a log's bytes: the start of
// the first line of that moment or later, the end of the file when there is none or no moment.
qsizetype insertionOffsetOf(QByteArrayView file, std::optional<qint64> moment);

// Hands the first-name key line to the first-name memory.
using FirstNameUpdate = std::function<void(const QString &keyLine)>;

} // namespace orvel
