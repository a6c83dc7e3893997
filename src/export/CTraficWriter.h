// The C_Trafic file of an activation log: one 199-column line per QSO, no header.
#pragma once

#include "LogBytes.h"

#include <QByteArray>
#include <QIODevice>
#include <QString>

namespace orvel {

inline constexpr int kCTraficLineLength = 199;

// reference + ".ctf".
QString ctraficFileName(const QString &reference);

// The 8-column band text of a log band number ("7" → "7.0 Mhz "); a number outside the
// program's list gets the number and " Mhz", padded or cut to 8 columns.
QString ctraficBand(const QString &bandNumber);

// The 199-column line of a log line, taken as stored in the log (windows-1252: a character
// the files cannot hold reads as '?'); the log's values keep their blanks and characters,
// except control characters, which become blanks.
QString ctraficLine(const QString &logLine);

// Writes one line per QSO line of log (the log file's bytes), windows-1252, CRLF; lines made
// only of blanks are passed over. False when the device refused some of the text.
bool writeCTrafic(QIODevice &device, const QByteArray &log);
// The same from the log's lines as a pass hands them over (a log file read a block at a time).
bool writeCTrafic(QIODevice &device, const LogLines &lines);

} // namespace orvel
