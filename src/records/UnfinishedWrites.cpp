#include "UnfinishedWrites.h"

#include "Diagnostics.h"
#include "LogFiles.h"
#include "QsoLine.h"
#include "Session.h"
#include "common/FileRead.h"
#include "common/ReferenceName.h"
#include "common/TextFile.h"
#include "common/Windows1252.h"
#include "platform/Dialogs.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QSet>

#include <algorithm>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#ifndef Q_OS_WIN
#include <unistd.h>
#endif
#include <optional>
#include <vector>

namespace orvel {

namespace {

// A note: its first line, one line "R " per log, one line "L " per QSO line, and its last line.
// A note without its last line was cut short.
const QByteArray kNoteStart = QByteArrayLiteral("Orvel_Multi ecriture en cours");
const QByteArray kReference = QByteArrayLiteral("R ");
const QByteArray kLine = QByteArrayLiteral("L ");
const QByteArray kOldLine = QByteArrayLiteral("O ");
const QByteArray kNoteEnd = QByteArrayLiteral("Fin");
const QByteArray kCrlf = QByteArrayLiteral("\r\n");

// Lines shown per log in a message; a long import would otherwise fill the screen.
constexpr qsizetype kShownLines = 10;

QByteArray noteBytes(const JournalEntry &entry)
{
    QByteArray bytes = kNoteStart + kCrlf;
    for (const QString &reference : entry.references)
        bytes += kReference + encodeWindows1252(reference) + kCrlf;
    for (const QByteArray &line : entry.replaced)
        bytes += kOldLine + line + kCrlf;
    for (const QByteArray &line : entry.lines)
        bytes += kLine + line + kCrlf;
    bytes += kNoteEnd + kCrlf;
    return bytes;
}

// The notes of the journal's bytes; what is not a whole note is told and left out.
QList<JournalEntry> parseNotes(const QByteArray &bytes, const QString &path)
{
    QList<JournalEntry> entries;
    std::optional<JournalEntry> note;
    bool damaged = false;
    forEachByteLine(bytes, [&](const ByteLine &byteLine) {
        const QByteArrayView line = byteLine.in(bytes);
        if (line == QByteArrayView(kNoteStart)) {
            damaged = damaged || note.has_value();
            note = JournalEntry{};
        } else if (!note) {
            damaged = true;
        } else if (line == QByteArrayView(kNoteEnd)) {
            if (note->references.size() >= 2 && !note->lines.isEmpty() &&
                (note->replaced.isEmpty() || note->replaced.size() == note->lines.size()))
                entries.append(*note);
            else
                damaged = true;
            note.reset();
        } else if (line.startsWith(kReference) && note->lines.isEmpty()) {
            const QString reference = decodeWindows1252(line.sliced(kReference.size()));
            if (referenceNameMessage(reference)) {
                // A foreign journal must not make the program write outside its folder.
                damaged = true;
                note.reset();
            } else {
                note->references.append(reference);
            }
        } else if (line.startsWith(kOldLine) && note->lines.isEmpty()) {
            note->replaced.append(line.sliced(kOldLine.size()).toByteArray());
        } else if (line.startsWith(kLine)) {
            note->lines.append(line.sliced(kLine.size()).toByteArray());
        } else {
            damaged = true;
            note.reset();
        }
    });
    if (note)
        qCInfo(lcRecords) << "Write journal" << path << "ends with a note cut short; left out";
    if (damaged)
        qCWarning(lcRecords) << "Write journal" << path
                             << "holds damaged or foreign text; left out";
    return entries;
}

// The lines of a log's bytes, as views on them.
std::vector<ByteLine> linesOf(const QByteArray &bytes)
{
    std::vector<ByteLine> lines;
    forEachByteLine(bytes, [&lines](const ByteLine &line) { lines.push_back(line); });
    return lines;
}

// The logs of a note that exist, their bytes read; nothing when one cannot be read.
struct ReadLog {
    QString reference;
    QByteArray bytes;
    QHash<QByteArray, int> counts; // how often each noted line stands in the log
};

std::optional<QList<ReadLog>> readNotedLogs(const LogFiles &logs, const JournalEntry &entry)
{
    QList<ReadLog> read;
    QSet<QByteArray> noted(entry.lines.cbegin(), entry.lines.cend());
    for (const QByteArray &line : entry.replaced)
        noted.insert(line);
    for (const QString &reference : entry.references) {
        FileBytes file = readFileBytes(logs.path(reference));
        if (file.outcome == FileBytes::Outcome::Missing)
            continue;
        if (file.outcome != FileBytes::Outcome::Read) {
            qCWarning(lcRecords) << "Log" << reference
                                 << "of a write journal note unreadable:" << file.reason();
            return std::nullopt;
        }
        ReadLog log{reference, std::move(file.bytes), {}};
        forEachByteLine(log.bytes, [&log, &noted](const ByteLine &line) {
            const QByteArray text = line.in(log.bytes).toByteArray();
            if (noted.contains(text))
                ++log.counts[text];
        });
        read.append(std::move(log));
    }
    return read;
}

// The noted lines once each, in the note's order.
QList<QByteArray> distinctLines(const QList<QByteArray> &lines)
{
    QList<QByteArray> distinct;
    QSet<QByteArray> seen;
    for (const QByteArray &line : lines) {
        if (!seen.contains(line)) {
            seen.insert(line);
            distinct.append(line);
        }
    }
    return distinct;
}

QString linesTextOf(const MissingLines &missing)
{
    if (!missing.replaced.isEmpty()) {
        QString text = QStringLiteral("Le log %1 garde l'ancienne version de %2 ligne(s) "
                                      "corrigée(s) :\n")
                           .arg(missing.reference)
                           .arg(missing.lines.size());
        for (qsizetype i = 0; i < std::min(missing.lines.size(), kShownLines); ++i)
            text += decodeWindows1252(missing.replaced.at(i)) + QStringLiteral("\n  devient\n") +
                    decodeWindows1252(missing.lines.at(i)) + QLatin1Char('\n');
        return text;
    }
    QString text = missing.lines.size() == 1
                       ? QStringLiteral("Il manque au log %1 la ligne :\n").arg(missing.reference)
                       : QStringLiteral("Il manque au log %1 les %2 lignes :\n")
                             .arg(missing.reference)
                             .arg(missing.lines.size());
    for (qsizetype i = 0; i < std::min(missing.lines.size(), kShownLines); ++i)
        text += decodeWindows1252(missing.lines.at(i)) + QLatin1Char('\n');
    if (missing.lines.size() > kShownLines)
        text +=
            QStringLiteral("… et %1 autre(s) ligne(s)\n").arg(missing.lines.size() - kShownLines);
    return text;
}

// One line to put into the lacking log: its bytes, the byte where it goes, its place in the
// log it comes from (lines put at one byte keep that order).
struct Placement {
    QByteArray line;
    qsizetype offset = 0;
    qsizetype sourceRow = 0;
};

// A log's lines indexed once: for each line, where each of its occurrences ends (the byte
// after it), and for each row its rank among the equal lines before it. Placing thousands of
// lines then costs one look-up each, not a pass over the log each.
struct IndexedLog {
    const QByteArray *bytes = nullptr;
    std::vector<ByteLine> lines;
    QHash<QByteArrayView, std::vector<qsizetype>> rowsOf; // in log order
    std::vector<qsizetype> rank;

    explicit IndexedLog(const QByteArray &file)
        : bytes(&file)
        , lines(linesOf(file))
    {
        rank.reserve(lines.size());
        for (size_t row = 0; row < lines.size(); ++row) {
            std::vector<qsizetype> &rows = rowsOf[lines[row].in(file)];
            rank.push_back(qsizetype(rows.size()));
            rows.push_back(qsizetype(row));
        }
    }
    QByteArrayView at(qsizetype row) const { return lines[size_t(row)].in(*bytes); }
};

// Where the line at row of source goes in target: after the line that precedes it there (not
// itself being copied), at the same occurrence of that line (the last one target holds when it
// holds fewer); at its moment when target lacks that line. keptBefore[row] is that preceding
// row, -1 for none.
qsizetype targetOffset(const IndexedLog &source, const std::vector<qsizetype> &keptBefore,
                       qsizetype row, const IndexedLog &target)
{
    const qsizetype anchor = keptBefore[size_t(row)];
    if (anchor < 0)
        return 0;
    const auto found = target.rowsOf.constFind(source.at(anchor));
    if (found != target.rowsOf.cend() && !found->empty()) {
        const qsizetype occurrence =
            std::min(source.rank[size_t(anchor)], qsizetype(found->size()) - 1);
        return target.lines[size_t((*found)[size_t(occurrence)])].next;
    }
    return insertionOffsetOf(*target.bytes, qsoOrderKeyOfBytes(source.at(row)));
}

} // namespace

// --- The journal -------------------------------------------------------------------------------

WriteJournal::WriteJournal(QString folder)
    : m_folder(std::move(folder))
{
}

QString WriteJournal::fileName()
{
    return QStringLiteral("Orvel_Multi.journal");
}

QString WriteJournal::path() const
{
    return QDir(m_folder).filePath(fileName());
}

namespace {

// What stands under a name, its link not followed.
struct Standing {
    bool exists = false;
    bool regular = false;
    quint64 device = 0;
    quint64 inode = 0;
    qint64 size = 0;
    QString kind; // in French, for anything but a regular file
};

Standing standingAt(const QString &path)
{
    Standing standing;
#ifdef Q_OS_WIN
    const QFileInfo info(path);
    standing.exists = info.exists() || info.isSymLink();
    standing.regular = standing.exists && info.isFile() && !info.isSymLink();
    standing.size = info.size();
    if (standing.exists && !standing.regular)
        standing.kind = info.isDir() ? QStringLiteral("un dossier") : QStringLiteral("un lien");
#else
    struct stat st {
    };
    if (::lstat(QFile::encodeName(path).constData(), &st) != 0)
        return standing;
    standing.exists = true;
    standing.regular = S_ISREG(st.st_mode);
    standing.device = quint64(st.st_dev);
    standing.inode = quint64(st.st_ino);
    standing.size = qint64(st.st_size);
    if (S_ISLNK(st.st_mode))
        standing.kind = QStringLiteral("un lien symbolique");
    else if (S_ISDIR(st.st_mode))
        standing.kind = QStringLiteral("un dossier");
    else if (S_ISFIFO(st.st_mode))
        standing.kind = QStringLiteral("un tube");
    else if (!standing.regular)
        standing.kind = QStringLiteral("un périphérique ou une socket");
#endif
    return standing;
}

#ifndef Q_OS_WIN
// The journal opened for writing as the regular file it was found to be: no link followed, no
// pipe waited on; -1 when something else stands there now.
int openOwnFile(const QString &path, int flags, quint64 device, quint64 inode)
{
    const int fd =
        ::open(QFile::encodeName(path).constData(), flags | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return -1;
    struct stat st {
    };
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || quint64(st.st_dev) != device ||
        quint64(st.st_ino) != inode) {
        ::close(fd);
        return -1;
    }
    return fd;
}
#endif

} // namespace

std::optional<QString> WriteJournal::placeProblem() const
{
    const Standing standing = standingAt(path());
    if (!standing.exists || standing.regular)
        return std::nullopt;
    return QStringLiteral("Le fichier %1 du dossier de données n'est pas un fichier ordinaire "
                          "mais %2 : le programme n'y touche pas et écrit dans plusieurs logs "
                          "sans pouvoir noter ces écritures. Retirez-le du dossier.")
        .arg(QDir::toNativeSeparators(path()), standing.kind);
}

WriteJournal::Mark WriteJournal::begin(const QStringList &references,
                                       const QList<QByteArray> &lines,
                                       const QList<QByteArray> &replaced) const
{
    // The note is made before the journal is touched, and goes in with one write: a stop at any
    // moment leaves the journal as it was or holding the whole note.
    const QByteArray note = noteBytes(JournalEntry{references, lines, replaced});
    Standing standing = standingAt(path());
    if (standing.exists && !standing.regular) {
        qCWarning(lcRecords) << "Write journal" << path() << "is" << standing.kind
                             << "; left alone, the write goes on without a note";
        return {};
    }
    if (!standing.exists) {
        // A new journal is written beside and renamed into place: it never stands empty.
        if (const FileResult written = replaceFileBytesUnsynced(path(), note); !written) {
            qCWarning(lcRecords) << "Write journal" << path() << "not written:" << written.error;
            return {};
        }
        standing = standingAt(path());
        return Mark{0, standing.device, standing.inode};
    }
#ifdef Q_OS_WIN
    QFile file(path());
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered)) {
        qCWarning(lcRecords) << "Write journal" << path() << "not written:" << file.errorString();
        return {};
    }
    const qint64 before = file.size();
    if (file.write(note) != note.size())
        qCWarning(lcRecords) << "Write journal" << path() << "not written:" << file.errorString();
    return Mark{before, 0, 0};
#else
    const int fd = openOwnFile(path(), O_WRONLY | O_APPEND, standing.device, standing.inode);
    if (fd < 0) {
        qCWarning(lcRecords) << "Write journal" << path() << "not opened as a regular file";
        return {};
    }
    struct stat st {
    };
    const qint64 before = ::fstat(fd, &st) == 0 ? qint64(st.st_size) : -1;
    const bool written =
        before >= 0 && ::write(fd, note.constData(), size_t(note.size())) == ssize_t(note.size());
    ::close(fd);
    if (!written) {
        qCWarning(lcRecords) << "Write journal" << path() << "not written";
        return {};
    }
    return Mark{before, standing.device, standing.inode};
#endif
}

void WriteJournal::finished(const Mark &mark) const
{
    if (!mark.noted())
        return;
#ifdef Q_OS_WIN
    const bool done =
        mark.sizeBefore == 0 ? QFile::remove(path()) : QFile::resize(path(), mark.sizeBefore);
#else
    // Only the file the note went into: whatever took its name since is left alone.
    const Standing standing = standingAt(path());
    bool done = false;
    if (standing.regular && standing.device == mark.device && standing.inode == mark.inode) {
        if (mark.sizeBefore == 0) {
            done = ::unlink(QFile::encodeName(path()).constData()) == 0;
        } else {
            const int fd = openOwnFile(path(), O_WRONLY, mark.device, mark.inode);
            done = fd >= 0 && ::ftruncate(fd, mark.sizeBefore) == 0;
            if (fd >= 0)
                ::close(fd);
        }
    }
#endif
    if (!done)
        qCWarning(lcRecords) << "Write journal" << path() << "not cut back to" << mark.sizeBefore;
}

QList<JournalEntry> WriteJournal::entries() const
{
    if (placeProblem())
        return {};
    const FileBytes read = readFileBytes(path());
    if (read.outcome == FileBytes::Outcome::Missing)
        return {};
    if (read.outcome != FileBytes::Outcome::Read) {
        qCWarning(lcRecords) << "Write journal" << path() << "unreadable:" << read.reason();
        return {};
    }
    return parseNotes(read.bytes, path());
}

void WriteJournal::tidy() const
{
    if (placeProblem())
        return;
    const FileBytes read = readFileBytes(path());
    if (read.outcome != FileBytes::Outcome::Read)
        return;
    const QList<JournalEntry> whole = parseNotes(read.bytes, path());
    QByteArray bytes;
    for (const JournalEntry &entry : whole)
        bytes += noteBytes(entry);
    if (bytes == read.bytes && !bytes.isEmpty())
        return;
    if (const FileResult kept = keepOnly(whole); !kept)
        qCWarning(lcRecords) << "Write journal" << path() << "not tidied:" << kept.error;
}

FileResult WriteJournal::keepOnly(const QList<JournalEntry> &entries) const
{
    if (const auto problem = placeProblem())
        return FileResult::failure(*problem);
    if (entries.isEmpty()) {
        if (QFile::exists(path()) && !QFile::remove(path()))
            return FileResult::failure(QStringLiteral("Le fichier %1 n'a pas pu être supprimé.")
                                           .arg(QDir::toNativeSeparators(path())));
        return FileResult::success();
    }
    QByteArray bytes;
    for (const JournalEntry &entry : entries)
        bytes += noteBytes(entry);
    return replaceFileBytes(path(), bytes);
}

// --- Comparing and copying ---------------------------------------------------------------------

QList<UnfinishedWrite> checkUnfinishedWrites(const LogFiles &logs,
                                             const QList<JournalEntry> &journal,
                                             const QStringList &references)
{
    QList<UnfinishedWrite> writes;
    for (const JournalEntry &entry : journal) {
        const bool concerned = std::any_of(
            entry.references.cbegin(), entry.references.cend(),
            [&references](const QString &reference) { return references.contains(reference); });
        if (!concerned)
            continue;
        const auto read = readNotedLogs(logs, entry);
        if (!read)
            continue;
        UnfinishedWrite write{entry, {}};
        if (!entry.replaced.isEmpty()) {
            // A correction: a log still holding an old line where another holds its new one.
            for (const ReadLog &log : *read) {
                MissingLines missing{log.reference, {}, {}};
                for (qsizetype i = 0; i < entry.lines.size(); ++i) {
                    const QByteArray &newLine = entry.lines.at(i);
                    const QByteArray &oldLine = entry.replaced.at(i);
                    const bool corrected =
                        std::any_of(read->cbegin(), read->cend(), [&](const ReadLog &other) {
                            return other.counts.value(newLine) > log.counts.value(newLine);
                        });
                    if (corrected && log.counts.value(oldLine) > 0) {
                        missing.lines.append(newLine);
                        missing.replaced.append(oldLine);
                    }
                }
                if (!missing.lines.isEmpty())
                    write.missing.append(missing);
            }
            writes.append(write);
            continue;
        }
        const QList<QByteArray> lines = distinctLines(entry.lines);
        for (const ReadLog &log : *read) {
            MissingLines missing{log.reference, {}, {}};
            for (const QByteArray &line : lines) {
                int most = 0;
                for (const ReadLog &other : *read)
                    most = std::max(most, other.counts.value(line));
                for (int i = log.counts.value(line); i < most; ++i)
                    missing.lines.append(line);
            }
            if (!missing.lines.isEmpty())
                write.missing.append(missing);
        }
        writes.append(write);
    }
    return writes;
}

FileResult copyMissingLines(const LogFiles &logs, const UnfinishedWrite &write,
                            const MissingLines &missing)
{
    if (!missing.replaced.isEmpty()) {
        // The correction finished in this log as in the others: each old line becomes its new.
        QByteArray target;
        if (const FileResult readTarget = readBytesForRewrite(logs.path(missing.reference), target);
            !readTarget)
            return readTarget;
        QHash<QByteArray, QByteArray> newOf;
        for (qsizetype i = 0; i < missing.lines.size(); ++i)
            newOf.insert(missing.replaced.at(i), missing.lines.at(i));
        LinePieces pieces(target);
        qsizetype kept = 0;
        forEachByteLine(target, [&](const ByteLine &line) {
            const auto found = newOf.constFind(line.in(target).toByteArray());
            if (found == newOf.cend())
                return;
            pieces.keepBytes(kept, line.start);
            pieces.put(*found);
            kept = line.next;
        });
        pieces.keepBytes(kept, target.size());
        return replaceFilePieces(logs.path(missing.reference), pieces.pieces());
    }
    const auto read = readNotedLogs(logs, write.entry);
    if (!read)
        return FileResult::failure(
            QStringLiteral("Les logs du groupe n'ont pas pu être lus : rien n'a été copié."));
    QByteArray target;
    if (const FileResult readTarget = readBytesForRewrite(logs.path(missing.reference), target);
        !readTarget)
        return readTarget;
    const IndexedLog indexedTarget(target);

    // Each missing line comes from the first log holding it most often; its last occurrences
    // there are the ones the target lacks.
    QHash<QByteArray, int> wanted;
    for (const QByteArray &line : missing.lines)
        ++wanted[line];
    QHash<QString, std::shared_ptr<IndexedLog>> indexed;
    QHash<QString, std::vector<bool>> copiedRows;
    QList<std::pair<const ReadLog *, qsizetype>> picked;
    for (auto it = wanted.cbegin(); it != wanted.cend(); ++it) {
        const ReadLog *source = nullptr;
        for (const ReadLog &log : *read) {
            if (!source || log.counts.value(it.key()) > source->counts.value(it.key()))
                source = &log;
        }
        if (!source || source->counts.value(it.key()) < it.value())
            return FileResult::failure(
                QStringLiteral("Aucun log du groupe ne contient plus la ligne à copier : rien "
                               "n'a été copié.\n%1")
                    .arg(decodeWindows1252(it.key())));
        std::shared_ptr<IndexedLog> &log = indexed[source->reference];
        if (!log)
            log = std::make_shared<IndexedLog>(source->bytes);
        std::vector<bool> &copied = copiedRows[source->reference];
        copied.resize(log->lines.size(), false);
        const std::vector<qsizetype> &rows = log->rowsOf.value(QByteArrayView(it.key()));
        for (qsizetype k = 0; k < it.value(); ++k) {
            const qsizetype row = rows[rows.size() - 1 - size_t(k)];
            copied[size_t(row)] = true;
            picked.append({source, row});
        }
    }
    // For each source log, the row each row comes after once the copied rows are left out.
    QHash<QString, std::vector<qsizetype>> keptBefore;
    for (auto it = indexed.cbegin(); it != indexed.cend(); ++it) {
        const std::vector<bool> &copied = copiedRows[it.key()];
        std::vector<qsizetype> before(copied.size(), -1);
        qsizetype last = -1;
        for (size_t row = 0; row < copied.size(); ++row) {
            before[row] = last;
            if (!copied[row])
                last = qsizetype(row);
        }
        keptBefore.insert(it.key(), std::move(before));
    }
    std::vector<Placement> placements;
    placements.reserve(size_t(picked.size()));
    for (const auto &[source, row] : std::as_const(picked)) {
        const IndexedLog &log = *indexed[source->reference];
        placements.push_back(
            Placement{log.at(row).toByteArray(),
                      targetOffset(log, keptBefore[source->reference], row, indexedTarget), row});
    }
    std::stable_sort(
        placements.begin(), placements.end(), [](const Placement &a, const Placement &b) {
            return a.offset != b.offset ? a.offset < b.offset : a.sourceRow < b.sourceRow;
        });
    LinePieces pieces(target);
    qsizetype kept = 0;
    for (const Placement &placement : placements) {
        pieces.keepBytes(kept, placement.offset);
        pieces.put(placement.line);
        kept = placement.offset;
    }
    pieces.keepBytes(kept, target.size());
    return replaceFilePieces(logs.path(missing.reference), pieces.pieces());
}

// --- What the user is told -----------------------------------------------------------------------

QString missingLinesText(const QList<UnfinishedWrite> &writes)
{
    QString text;
    for (const UnfinishedWrite &write : writes) {
        for (const MissingLines &missing : write.missing)
            text += QLatin1Char('\n') + linesTextOf(missing);
    }
    return text;
}

namespace {

// What happened and the lines each log lacks, after opening ("Le programme").
QString stoppedWhileWritingText(const QString &opening, const QList<UnfinishedWrite> &writes)
{
    return opening +
           QStringLiteral(" a été arrêté pendant qu'il écrivait dans les logs du groupe : "
                          "certains logs n'ont pas reçu toutes les lignes.\n") +
           missingLinesText(writes);
}

} // namespace

QString unfinishedWritesQuestion(const QList<UnfinishedWrite> &writes)
{
    // A store writes one line, an insertion or an import several: the text names neither.
    return stoppedWhileWritingText(QStringLiteral("Le programme"), writes) +
           QStringLiteral("\nCopier ces lignes dans les logs où elles manquent ?\n"
                          "Oui : chaque ligne est copiée à la place qu'elle occupe dans les autres "
                          "logs du groupe, une ligne corrigée remplace son ancienne version ; rien "
                          "d'autre n'est effacé.\n"
                          "Non : rien n'est modifié ; la question sera posée de nouveau à la "
                          "prochaine ouverture du groupe.");
}

QString unfinishedWritesWarning(const QList<UnfinishedWrite> &writes)
{
    return stoppedWhileWritingText(QStringLiteral("Attention : le programme"), writes) +
           QStringLiteral("\nLa commande n'a pas été exécutée et rien n'a été modifié : ouvrez le "
                          "groupe dans le programme et cliquez sur « Saisie des QSO » pour copier "
                          "ces lignes, puis relancez la commande.");
}

void offerUnfinishedWrites(Session &session, Dialogs &dialogs)
{
    if (const auto problem = WriteJournal(session.folder()).placeProblem()) {
        dialogs.message(*problem);
        return;
    }
    WriteJournal(session.folder()).tidy();
    const QList<UnfinishedWrite> writes = session.unfinishedWrites();
    if (writes.isEmpty())
        return;
    QList<UnfinishedWrite> lacking;
    QList<UnfinishedWrite> settled;
    for (const UnfinishedWrite &write : writes)
        (write.agrees() ? settled : lacking).append(write);
    // A note whose logs agree tells of a write stopped before its first log or after its last.
    session.forgetUnfinishedWrites(settled);
    if (lacking.isEmpty() || !dialogs.question(unfinishedWritesQuestion(lacking)))
        return;
    if (const QString failed = session.finishUnfinishedWrites(lacking); !failed.isEmpty())
        dialogs.message(failed);
}

} // namespace orvel
