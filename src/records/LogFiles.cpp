#include "LogFiles.h"

#include "common/DateTimeText.h"
#include "common/FileBlocks.h"
#include "common/FileRead.h"
#include "common/FileStamp.h"
#include "common/ReferenceName.h"
#include "common/Windows1252.h"

#include <QFile>

#include <QFileInfo>

#include <algorithm>
#include <limits>
#include <thread>
#include <vector>

namespace orvel {

QString LogWriteResult::message() const
{
    if (ok())
        return {};
    QString text = failedReferences.size() == 1
                       ? QStringLiteral("Le QSO n'a pas pu être enregistré dans le log %1")
                             .arg(failedReferences.first())
                       : QStringLiteral("Le QSO n'a pas pu être enregistré dans les logs %1")
                             .arg(failedReferences.join(QStringLiteral(", ")));
    if (!errors.isEmpty())
        text += QLatin1Char('\n') + errors.join(QLatin1Char('\n'));
    if (undone)
        text += QStringLiteral("\nLe QSO n'a été enregistré dans aucun log : il reste dans les "
                               "champs pour être enregistré de nouveau.");
    return text;
}

LogFiles::LogFiles(QString folder)
    : m_folder(std::move(folder))
{
}

QString LogFiles::path(const QString &reference) const
{
    return referenceFilePath(m_folder, reference, QStringLiteral(".txt"));
}

QStringList LogFiles::load(const QString &reference) const
{
    return readLines(path(reference));
}

bool LogFiles::exists(const QString &reference) const
{
    return QFileInfo::exists(path(reference));
}

int LogFiles::qsoCount(const QString &reference) const
{
    const QByteArray bytes = readFileBytes(path(reference)).bytes;
    int count = 0;
    forEachByteLine(bytes, [&](const ByteLine &line) {
        const QByteArrayView text = line.in(bytes);
        if (std::any_of(text.begin(), text.end(), [](char c) { return c != ' '; }))
            ++count;
    });
    return count;
}

FileResult LogFiles::createEmpty(const QString &reference) const
{
    return createEmptyFile(path(reference));
}

LogWriteResult LogFiles::append(const QStringList &references, const QString &line) const
{
    LogWriteResult result;
    struct Grown {
        QString path;
        qint64 before = 0;
        qint64 after = 0;
    };
    QList<Grown> grown;
    for (const QString &reference : references) {
        const QString file = path(reference);
        const qint64 before = FileStamp::of(file).size;
        const FileResult written = appendLines(file, {line});
        if (!written) {
            result.fail(reference, written.error);
            continue;
        }
        grown.append(Grown{file, before, FileStamp::of(file).size});
    }
    if (result.ok())
        return result;
    // A QSO in some logs of the group and not in others would be stored twice in the first
    // ones when the operator stores it again: the appends that succeeded are taken back.
    result.undone = true;
    for (const Grown &log : std::as_const(grown)) {
        if (const FileResult cut = cutBack(log.path, log.after, log.before); !cut) {
            result.undone = false;
            result.errors.append(cut.error);
        }
    }
    return result;
}

qsizetype insertionOffsetOf(QByteArrayView file, std::optional<qint64> moment)
{
    qsizetype at = file.size();
    if (!moment)
        return at;
    forEachByteLine(file, [&](const ByteLine &line) {
        const auto existing = qsoOrderKeyOfBytes(line.in(file));
        if (!existing || *existing < *moment)
            return true;
        at = line.start;
        return false;
    });
    return at;
}

namespace {

// Runs work(i) for i from 0 to count - 1, the items on threads of their own but the first: the
// logs of a change are read, spliced and written to their scratch files side by side.
void forEachOnThreads(qsizetype count, const std::function<void(qsizetype)> &work)
{
    std::vector<std::thread> threads;
    for (qsizetype i = 1; i < count; ++i)
        threads.emplace_back(work, i);
    if (count > 0)
        work(0);
    for (std::thread &thread : threads)
        thread.join();
}

// One log of a change made ready: read, spliced, written to its scratch file.
struct PreparedLog {
    FileResult read;
    bool changed = false;
    FileReplacements replacement;
};

// Every changed log put in the place of its file in one batch; the logs that could not be read
// or written are recorded in result, those without a change too.
void putInPlace(const QStringList &references, std::vector<PreparedLog> &prepared,
                LogWriteResult &result)
{
    FileReplacements replacements;
    QStringList changed;
    for (size_t i = 0; i < prepared.size(); ++i) {
        const QString &reference = references.at(qsizetype(i));
        if (!prepared[i].read) {
            result.fail(reference, prepared[i].read.error);
        } else if (!prepared[i].changed) {
            result.unchangedReferences.append(reference);
        } else {
            replacements.take(std::move(prepared[i].replacement));
            changed.append(reference);
        }
    }
    const QList<FileResult> written = replacements.finish();
    for (qsizetype i = 0; i < written.size(); ++i) {
        if (!written.at(i))
            result.fail(changed.at(i), written.at(i).error);
    }
}

} // namespace

LogWriteResult LogFiles::replace(const QStringList &references, const QString &newLine,
                                 const QString &oldLine, const QString &requiredIn,
                                 const HeldChange *held) const
{
    LogWriteResult result;
    const QByteArray oldBytes = encodeWindows1252(oldLine);
    const QByteArray newBytes = encodeWindows1252(newLine);
    QStringList order = references;
    if (!requiredIn.isEmpty() && order.removeAll(requiredIn) > 0)
        order.prepend(requiredIn);
    std::vector<PreparedLog> prepared(size_t(order.size()));
    forEachOnThreads(order.size(), [&](qsizetype i) {
        PreparedLog &log = prepared[size_t(i)];
        if (held && held->reference == order.at(i)) {
            log.changed = held->changed;
            if (log.changed)
                log.replacement.add(path(order.at(i)), held->pieces);
            return;
        }
        QByteArray file;
        log.read = readBytesForRewrite(path(order.at(i)), file);
        if (!log.read)
            return;
        LinePieces pieces(file);
        qsizetype at = 0;
        while (const std::optional<ByteLine> found = findLine(file, oldBytes, at)) {
            pieces.keepBytes(at, found->start);
            pieces.put(newBytes);
            at = found->next;
            log.changed = true;
        }
        pieces.keepBytes(at, file.size());
        if (log.changed)
            log.replacement.add(path(order.at(i)), pieces.pieces());
    });
    // Nothing is replaced anywhere unless the log that must hold the line does (the scratch
    // files already written are then dropped with their batches).
    if (!requiredIn.isEmpty() && order.value(0) == requiredIn) {
        if (!prepared.front().read) {
            result.fail(requiredIn, prepared.front().read.error);
            return result;
        }
        if (!prepared.front().changed) {
            result.lineMissing = true;
            return result;
        }
    }
    putInPlace(order, prepared, result);
    return result;
}

namespace {

// Adds to replacements the log at path with line placed at its moment.
FileResult addInserted(FileReplacements &replacements, const QString &path, const QString &line)
{
    QByteArray file;
    if (const FileResult read = readBytesForRewrite(path, file); !read)
        return read;
    const QByteArray lineBytes = encodeWindows1252(line);
    const qsizetype at = insertionOffsetOf(file, qsoOrderKey(line));
    LinePieces pieces(file);
    pieces.keepBytes(0, at);
    pieces.put(lineBytes);
    pieces.keepBytes(at, file.size());
    replacements.add(path, pieces.pieces());
    return FileResult::success();
}

} // namespace

FileResult LogFiles::insertOne(const QString &reference, const QString &line) const
{
    FileReplacements replacements;
    if (const FileResult read = addInserted(replacements, path(reference), line); !read)
        return read;
    return replacements.finish().constFirst();
}

LogWriteResult LogFiles::insert(const QStringList &references, const QString &line,
                                const HeldChange *held) const
{
    LogWriteResult result;
    std::vector<PreparedLog> prepared(size_t(references.size()));
    forEachOnThreads(references.size(), [&](qsizetype i) {
        PreparedLog &log = prepared[size_t(i)];
        if (held && held->reference == references.at(i)) {
            log.replacement.add(path(references.at(i)), held->pieces);
            log.changed = true;
            return;
        }
        log.read = addInserted(log.replacement, path(references.at(i)), line);
        log.changed = log.read.ok;
    });
    putInPlace(references, prepared, result);
    return result;
}

namespace {

// Lines to place, each with its moment, in the order they go in: by moment, those of one moment
// as given; lines without a moment go last.
struct LinesToPlace {
    std::vector<QByteArray> bytes;
    std::vector<qint64> moments;

    explicit LinesToPlace(const QStringList &lines)
    {
        constexpr qint64 kNoMoment = std::numeric_limits<qint64>::max();
        std::vector<qsizetype> order(size_t(lines.size()));
        std::vector<qint64> keys(size_t(lines.size()));
        for (qsizetype i = 0; i < lines.size(); ++i) {
            order[size_t(i)] = i;
            keys[size_t(i)] = qsoOrderKey(lines.at(i)).value_or(kNoMoment);
        }
        std::stable_sort(order.begin(), order.end(), [&keys](qsizetype a, qsizetype b) {
            return keys[size_t(a)] < keys[size_t(b)];
        });
        bytes.reserve(order.size());
        moments.reserve(order.size());
        for (const qsizetype i : order) {
            bytes.push_back(encodeWindows1252(lines.at(i)));
            moments.push_back(keys[size_t(i)]);
        }
    }
};

// Adds to replacements the log at path with every line placed: a line goes before the first
// line of the log whose moment is later than or equal to its own, that is before the first line
// where the latest moment seen so far reaches its own; lines of the log without a moment never
// decide.
//
// The log is read and written a block of whole lines at a time: an import into logs of a
// million QSOs never holds them whole.
FileResult addPlaced(FileReplacements &replacements, const QString &path,
                     const LinesToPlace &placed)
{
    FileBlocks blocks(path);
    if (!blocks.state().ok())
        return notRewrittenFailure(path, blocks.state());
    const bool missing = !blocks.state().exists();
    size_t next = 0;
    std::optional<qint64> latest;
    const auto placeIn = [&](const QByteArray &file, const FileReplacements::PiecesPut &put) {
        LinePieces pieces(file);
        qsizetype kept = 0;
        forEachByteLine(file, [&](const ByteLine &line) {
            if (next == placed.bytes.size())
                return false;
            const auto moment = qsoOrderKeyOfBytes(line.in(file));
            if (!moment)
                return true;
            latest = latest ? std::max(*latest, *moment) : *moment;
            if (placed.moments[next] > *latest)
                return true;
            pieces.keepBytes(kept, line.start);
            kept = line.start;
            while (next < placed.bytes.size() && placed.moments[next] <= *latest)
                pieces.put(placed.bytes[next++]);
            return true;
        });
        pieces.keepBytes(kept, file.size());
        return put(pieces.pieces());
    };
    replacements.addWritten(path, [&](const FileReplacements::PiecesPut &put) {
        if (!missing &&
            !blocks.forEachBlock([&](const QByteArray &block) { return placeIn(block, put); }))
            return false;
        LinePieces rest{QByteArrayView()};
        while (next < placed.bytes.size())
            rest.put(placed.bytes[next++]);
        return put(rest.pieces());
    });
    if (!blocks.state().ok())
        return notRewrittenFailure(path, blocks.state());
    return FileResult::success();
}

} // namespace

LogWriteResult LogFiles::insertMany(const QStringList &references, const QStringList &lines) const
{
    LogWriteResult result;
    if (lines.isEmpty())
        return result;
    const LinesToPlace placed(lines);
    std::vector<PreparedLog> prepared(size_t(references.size()));
    forEachOnThreads(references.size(), [&](qsizetype i) {
        PreparedLog &log = prepared[size_t(i)];
        log.read = addPlaced(log.replacement, path(references.at(i)), placed);
    });
    FileReplacements all;
    QStringList written;
    for (size_t i = 0; i < prepared.size(); ++i) {
        const QString &reference = references.at(qsizetype(i));
        if (!prepared[i].read) {
            result.fail(reference, prepared[i].read.error);
            continue;
        }
        all.take(std::move(prepared[i].replacement));
        written.append(reference);
    }
    // A log that cannot be read leaves every log as it was.
    if (!result.ok()) {
        result.undone = true;
        return result;
    }
    const QList<FileResult> outcomes = all.finishTogether();
    for (qsizetype i = 0; i < outcomes.size(); ++i) {
        if (!outcomes.at(i))
            result.fail(written.at(i), outcomes.at(i).error);
    }
    result.undone = result.failedReferences.size() == written.size() && !written.isEmpty();
    return result;
}

namespace {

// The line at row of file, when there is one.
std::optional<ByteLine> lineAtRow(QByteArrayView file, qsizetype index)
{
    std::optional<ByteLine> target;
    if (index < 0)
        return target;
    qsizetype row = 0;
    forEachByteLine(file, [&](const ByteLine &line) {
        if (row++ < index)
            return true;
        target = line;
        return false;
    });
    return target;
}

// The n-th line (from 0) of file equal to line, or its last when it holds fewer.
std::optional<ByteLine> occurrenceOf(QByteArrayView file, QByteArrayView line, qsizetype n)
{
    std::optional<ByteLine> found;
    qsizetype at = 0;
    for (qsizetype seen = 0; seen <= n; ++seen) {
        const std::optional<ByteLine> next = findLine(file, line, at);
        if (!next)
            break;
        found = next;
        at = next->next;
    }
    return found;
}

// How many lines of file before the line starting at byte start are equal to line.
qsizetype rankOf(QByteArrayView file, QByteArrayView line, qsizetype start)
{
    qsizetype rank = 0;
    qsizetype at = 0;
    while (const std::optional<ByteLine> found = findLine(file, line, at)) {
        if (found->start >= start)
            break;
        ++rank;
        at = found->next;
    }
    return rank;
}

// A log of a removal made ready: its bytes, and its content without the line.
struct PreparedRemoval {
    QByteArray file;
    FileResult read;
    bool holds = false;
    bool moved = false;
    BytePieces pieces;
};

} // namespace

LogFiles::Removal
LogFiles::removeFromAll(const QStringList &references, qsizetype index, const QString &expectedLine,
                        const HeldChange *held, qsizetype occurrence,
                        const std::function<void(const QStringList &)> &beforeWrite) const
{
    Removal removal;
    if (references.isEmpty()) {
        removal.outcome = RemoveOutcome::Moved;
        return removal;
    }
    const QByteArray expected = encodeWindows1252(expectedLine);
    std::vector<PreparedRemoval> prepared(size_t(references.size()));
    // The first log decides which occurrence the others lose.
    PreparedRemoval &first = prepared.front();
    if (held && held->reference == references.first()) {
        first.holds = true;
        first.pieces = held->pieces;
    } else {
        const FileBytes read = readFileBytes(path(references.first()));
        if (read.outcome != FileBytes::Outcome::Read) {
            removal.outcome = RemoveOutcome::Unreadable;
            removal.failedReference = references.first();
            return removal;
        }
        first.file = read.bytes;
        const std::optional<ByteLine> target = lineAtRow(first.file, index);
        if (!target || target->in(first.file) != QByteArrayView(expected)) {
            removal.outcome = RemoveOutcome::Moved;
            removal.failedReference = references.first();
            return removal;
        }
        occurrence = rankOf(first.file, expected, target->start);
        LinePieces pieces(first.file);
        pieces.keepBytes(0, target->start);
        pieces.keepBytes(target->next, first.file.size());
        first.holds = true;
        first.pieces = pieces.pieces();
    }
    forEachOnThreads(references.size() - 1, [&](qsizetype i) {
        PreparedRemoval &log = prepared[size_t(i + 1)];
        log.read = readBytesForRewrite(path(references.at(i + 1)), log.file);
        if (!log.read)
            return;
        const std::optional<ByteLine> target = occurrenceOf(log.file, expected, occurrence);
        if (!target)
            return;
        LinePieces pieces(log.file);
        pieces.keepBytes(0, target->start);
        pieces.keepBytes(target->next, log.file.size());
        log.holds = true;
        log.pieces = pieces.pieces();
    });
    FileReplacements replacements;
    QStringList changed;
    for (size_t i = 0; i < prepared.size(); ++i) {
        const QString &reference = references.at(qsizetype(i));
        if (!prepared[i].read) {
            // One log that cannot be read leaves every log as it was.
            removal.outcome = RemoveOutcome::Unreadable;
            removal.failedReference = reference;
            removal.error = prepared[i].read.error;
            return removal;
        }
        if (!prepared[i].holds)
            continue;
        replacements.add(path(reference), prepared[i].pieces);
        changed.append(reference);
    }
    if (beforeWrite)
        beforeWrite(changed);
    const QList<FileResult> written = replacements.finishTogether();
    for (qsizetype i = 0; i < written.size(); ++i) {
        if (written.at(i)) {
            removal.removedFrom.append(changed.at(i));
        } else if (removal.failedReference.isEmpty()) {
            removal.outcome = RemoveOutcome::WriteFailed;
            removal.failedReference = changed.at(i);
            removal.error = written.at(i).error;
        }
    }
    return removal;
}

QStringList LogFiles::referencesHolding(const QStringList &references, const QString &line) const
{
    const QByteArray bytes = encodeWindows1252(line);
    QStringList holding;
    for (const QString &reference : references) {
        const FileBytes read = readFileBytes(path(reference));
        if (read.outcome == FileBytes::Outcome::Missing)
            continue;
        if (read.outcome != FileBytes::Outcome::Read || findLine(read.bytes, bytes))
            holding.append(reference);
    }
    return holding;
}

FileResult LogFiles::rewrite(const QString &reference, const QStringList &lines) const
{
    return replaceFile(path(reference), lines);
}

} // namespace orvel
