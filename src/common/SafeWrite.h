// Writing a data file so that a crash, a full disk or a second writer never leaves it
// damaged: appends undone on failure, whole-file replacement through a scratch file.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

#include <functional>
#include <memory>

class QIODevice;

namespace orvel {

// Outcome of a file operation: ok, or a French text telling what went wrong, with the
// system's error code (errno) when the system gave one.
struct FileResult {
    bool ok = true;
    QString error;
    int systemError = 0;
    explicit operator bool() const { return ok; }
    static FileResult success() { return {}; }
    static FileResult failure(const QString &error, int systemError = 0)
    {
        return {false, error, systemError};
    }
};

// "Impossible d'écrire le fichier PATH (reason)", the reason told from the system's error
// code ("disque plein" when the disk is full).
QString writeErrorText(const QString &path, int systemError);

// Appends bytes to the file at path (created when missing) and flushes them to disk. When
// the file does not end with a line end, CRLF goes first so the new text starts a line. On
// failure the file is cut back to its former size (removed when this call created it), so a
// half-written line never stays behind.
FileResult appendBytes(const QString &path, const QByteArray &bytes);

// Takes back an append that succeeded: the file, grownSize bytes long now, is cut back to size
// and flushed. A file of another size (written by someone else since) is left as it is.
FileResult cutBack(const QString &path, qint64 grownSize, qint64 size);

// A file's new content given as pieces written one after the other (runs of its old bytes and
// new lines, say), so that a long file is never copied whole in memory to change one line.
using BytePieces = QList<QByteArrayView>;

// Replaces the content of the file at path by bytes. The bytes go to a scratch file of a name
// no data file can have, in the same folder, are flushed to disk, and only then take the
// place of the file in one step; the folder itself is then flushed so the new name survives a
// power cut. A symbolic link stays a link (its target is rewritten); the file's permissions
// are kept. A file the user made read-only, and anything under the name that is not a plain
// file (a folder, a device), is refused. On failure the file is untouched and
// the scratch file removed.
FileResult replaceFileBytes(const QString &path, const QByteArray &bytes);
// Puts bytes at path whole or not at all, for a file that only has to outlive a stop of the
// program, not of the system: written to a scratch file beside it and renamed into place,
// without waiting for the disk. A stop at any moment leaves the former file (or none) or the
// new one whole, never an empty or half-written file.
FileResult replaceFileBytesUnsynced(const QString &path, const QByteArray &bytes);
// The same with the content given as pieces.
FileResult replaceFilePieces(const QString &path, const BytePieces &pieces);
// The same with the content written by write as it goes (a long export never stands whole in
// memory); false from write, or a refused write, leaves the file untouched.
FileResult replaceFileWith(const QString &path, const std::function<bool(QIODevice &)> &write);

// Several files replaced in one step, each as replaceFileBytes does, each whole or not at all
// independently of the others. add() writes a file's new content to its scratch file at once
// and starts sending it to disk; finish() waits until every scratch file is on disk, puts each
// in the place of its file and flushes each folder once. Scratch files of a batch never
// finished are removed.
class FileReplacements
{
public:
    FileReplacements();
    ~FileReplacements();
    FileReplacements(const FileReplacements &) = delete;
    FileReplacements &operator=(const FileReplacements &) = delete;

    void add(const QString &path, const BytePieces &pieces);
    // The same with the content handed over a part at a time as write makes it (a long file
    // read a block at a time, say): write(put) calls put(pieces) for each part in order. False
    // from write or from put leaves the file as it was.
    using PiecesPut = std::function<bool(const BytePieces &pieces)>;
    void addWritten(const QString &path, const std::function<bool(const PiecesPut &put)> &write);
    // Takes over the files added to other (written by another thread, say), after this
    // batch's own ones.
    void take(FileReplacements &&other);
    // One result per add(), in the same order.
    QList<FileResult> finish();
    // The same, but no file is replaced unless every scratch file reached the disk: when one
    // could not be written, every file stays as it was (the others' results then say so). Only
    // a rename refused by the system, after the first ones went through, can still leave some
    // files replaced and others not; their results tell which.
    QList<FileResult> finishTogether();

    struct Pending;

private:
    QList<Pending> m_pending;
};

// The scratch files: "Temporaire-" followed by the writing process's id, "-", six letters or
// digits and ".tmp". No data file ends in ".tmp".
QString newScratchFileName();
bool isScratchFileName(const QString &fileName);

// Stands in for a full disk in tests on systems where a process cannot be given a file size
// limit (Windows): while one lives, a write that would make a file longer than limit bytes
// writes what fits and fails as the system fails on a full disk. One at a time.
class SimulatedFileSizeLimit
{
public:
    explicit SimulatedFileSizeLimit(qint64 limit);
    ~SimulatedFileSizeLimit();
    SimulatedFileSizeLimit(const SimulatedFileSizeLimit &) = delete;
    SimulatedFileSizeLimit &operator=(const SimulatedFileSizeLimit &) = delete;
};

// Removes from folder the scratch files left by copies of the program that are no longer
// running (killed during a rewrite). Returns how many were removed.
int removeStaleScratchFiles(const QString &folder);

} // namespace orvel
