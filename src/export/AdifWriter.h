// The ADIF files of an activation log: the standard layout, the WWFF layout of the WFF parks,
// the " Sp.adi" layout of the DMSM mills and the layout of the POTA parks. Log lines in, ASCII
// text out.
#pragma once

#include "LogBytes.h"

#include <QDateTime>
#include <QIODevice>
#include <QList>
#include <QString>

#include <string_view>

namespace orvel {

enum class AdifVariant { Standard, Wff, Dmsm, Pota };

// The files a reference gets: POTA when its programme is "POTA", else WFF when it holds "FF";
// DMSM when it holds "DMSM" (after the other one for a reference of both); standard when none
// applies. Case-sensitive. A POTA park's number may hold "FF" (a country prefix): its
// reference + ".adi" is the POTA file, never the WWFF one.
QList<AdifVariant> adifVariants(const QString &reference);

// reference + ".adi", or reference + " Sp.adi" for the DMSM layout.
QString adifFileName(const QString &reference, AdifVariant variant);

// The title of the header, also shown above the entry window's list during an export.
QString adifTitle(const QString &activator);

// The six header lines, each ended by CRLF: the title, an empty line, the credit line with
// the standard header fields (ADIF_VER, PROGRAMID, PROGRAMVERSION, CREATED_TIMESTAMP in UTC),
// two empty lines and <eoh>.
QString adifHeader(const QString &activator, const QDateTime &createdUtc);

// One field: the tag, the length of the value written, the value and a blank. The value is
// trimmed and folded to ASCII first, so the length always matches what follows.
QString adifField(const QString &tag, const QString &value);

// The day of a stored date as its qso_date field gives it: dd/mm/yy, or a date typed without
// its leading zeros ("5/9/13"); a null date when the text names no calendar day.
QDate adifQsoDay(std::string_view storedDate);

// What a file of one reference is made from, besides the log lines.
struct AdifFileData {
    AdifVariant variant = AdifVariant::Standard;
    QString reference; // the reference the file is named after
    QString activator; // the activator's call sign
};

// The record of one log line, "<eor>" included, without the line end. In the DMSM layout the
// whole record is in capitals. The line is taken as stored in the log (windows-1252): a
// character the files cannot hold reads as '?'.
QString adifRecord(const QString &logLine, const AdifFileData &data);

// Writes the header and one record per QSO line of log (the log file's bytes), each line
// ended by CRLF; lines made only of blanks are passed over. False when the device refused
// some of the text.
bool writeAdif(QIODevice &device, const QByteArray &log, const AdifFileData &data,
               const QDateTime &createdUtc);
// The same from the log's lines as a pass hands them over (a log file read a block at a time).
bool writeAdif(QIODevice &device, const LogLines &lines, const AdifFileData &data,
               const QDateTime &createdUtc);

} // namespace orvel
