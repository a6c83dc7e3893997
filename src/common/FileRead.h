// Reading a data file whole, safely: only a regular file (a link is followed to one) of a size
// no real data file reaches. A pipe, a device or a folder under a data file's name is refused
// at once, never waited on or read without end.
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace orvel {

// The largest data file read: a log of a million QSOs is a tenth of it.
inline constexpr qint64 kMaxDataFileSize = qint64(1) << 30;

struct FileBytes {
    enum class Outcome {
        Read,      // bytes hold the whole file
        Missing,   // no file of that name: no bytes
        Folder,    // a folder stands under the name
        Special,   // a pipe, a device or a socket stands under the name
        TooLarge,  // larger than kMaxDataFileSize
        Unreadable // the system refused to open or read it (systemError tells why)
    };
    QByteArray bytes;
    Outcome outcome = Outcome::Missing;
    int systemError = 0;

    // Read, or missing (no bytes).
    bool ok() const { return outcome == Outcome::Read || outcome == Outcome::Missing; }
    bool exists() const { return outcome != Outcome::Missing; }
    // Why the file was not read, in French words that follow "ne peut pas être lu : ".
    QString reason() const;
};

// The whole file at path.
FileBytes readFileBytes(const QString &path, qint64 limit = kMaxDataFileSize);

// "Le fichier PATH ne peut pas être lu : REASON." for a file read refused.
QString unreadableFileMessage(const QString &path, const FileBytes &read);

// Why the file at path could not be read, as unreadableFileMessage says it, without reading
// it; nothing when it can be read or does not exist.
std::optional<QString> unreadableFileProblem(const QString &path, qint64 limit = kMaxDataFileSize);

} // namespace orvel
