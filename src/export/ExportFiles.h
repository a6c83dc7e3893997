// Reading a log and writing an export file, with the error numbers the export messages show.
#pragma once

#include "LogBytes.h"
#include "common/FileRead.h"

#include <QFileDevice>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace orvel {

// The error numbers of the export messages.
inline constexpr int kFileNotFound = 53;
inline constexpr int kDiskFull = 61;
inline constexpr int kPermissionDenied = 70;
inline constexpr int kDeviceNotReady = 71;
inline constexpr int kFileAccessError = 75;

// An export that could not be made.
struct ExportFailure {
    int number = 0;   // error number; 0 when no file is involved
    QString fileName; // the file concerned, without folder
    QString message;  // the text of the message box, as the users know it
    QString detail;   // what went wrong, in words (shown on the command line)
};

// "Erreur " and the number with its leading blank, then the reason of 70 and 71.
QString exportErrorMessage(int number);

// The failure of number on fileName, with its explanation.
ExportFailure exportFailure(int number, const QString &fileName);

// The error number of a system error code met while reading, or while writing.
int readErrorNumber(int systemError);
int writeErrorNumber(int systemError, QFileDevice::FileError error);

// The bytes of a log file as stored (windows-1252), read whole. A missing or unreadable log is
// a failure, never an empty log.
std::optional<ExportFailure> readLogFile(const QString &path, QByteArray *bytes);
// The failure readLogFile tells of a log file read refused as read tells (none when it was read).
std::optional<ExportFailure> logReadFailure(const QString &path, const FileBytes &read);

// Lets write make the file's text, then puts it in place of the file at path through the safe
// replacement (the former file stays whole when anything fails).
using ExportWriter = std::function<bool(QIODevice &device)>;
std::optional<ExportFailure> writeExportFile(const QString &path, const ExportWriter &write);

// The same with write made from the QSO lines of the log at logPath, read a block at a time as
// write goes: a long log never stands whole in memory. A log that cannot be read to its end
// is told as readLogFile tells it, and the former file stays.
using ExportFromLog = std::function<bool(QIODevice &device, const LogLines &lines)>;
std::optional<ExportFailure> writeExportFromLog(const QString &path, const QString &logPath,
                                                const ExportFromLog &write);
// Why the log at logPath cannot be exported (readLogFile's failure), without reading it.
std::optional<ExportFailure> checkLogFile(const QString &logPath);

} // namespace orvel
