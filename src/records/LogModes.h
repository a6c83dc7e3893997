// The mode a log line holds (at most 4 characters), from the mode and submode another program
// names: the ADIF import and the reception from WSJT-X and JTDX both name modes through it, so
// that one QSO received both ways is written alike and found again as the same QSO.
#pragma once

#include <QString>

namespace orvel {

// "SSB" (SSB, USB, LSB), "CW", "FM", "FT8", "PSK" (PSK31, PSK63), "TTY" (RTTY); the digital modes
// of WSJT-X and JTDX by their own names: FT4 (ADIF MFSK with submode FT4), JT65, JT9 and JT4
// whatever their letter (JT65B is "JT65"), Q65, FST4, WSPR, JS8; the longer names shortened
// where cutting would mislead: MSK144 is "MSK", FST4W "FS4W", ISCAT "ISCT". Any other: the
// submode, or else the mode, in capitals and cut to 4 characters. Empty when both are.
QString logModeOf(const QString &mode, const QString &submode = {});

} // namespace orvel
