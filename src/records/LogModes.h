// The one table of modes between the log and ADIF: the mode a log line holds (at most 4
// characters) of the mode and submode another program names, and the MODE and SUBMODE an export
// writes for it. The ADIF import and the reception from WSJT-X and JTDX both name modes through
// it, so that one QSO received both ways is written alike and found again as the same QSO, and
// every export names a mode the way the ADIF readers (LoTW's signer among them) expect.
#pragma once

#include <QString>

#include <span>

namespace orvel {

// The entry window's own texts stay as they are: "SSB" (SSB whatever its sideband, and the
// older USB and LSB), "CW", "FM", "FT8", "PSK" (PSK without a submode) and "TTY" (RTTY). Every
// other mode and submode of ADIF's enumeration has a text of its own where four characters can
// name it readably ("OLIV", "DV", "C4FM", "FT4", "P31" for PSK31, "MF16" for MFSK16…), the
// submode saying more than the family it belongs to (MFSK with submode FT4 is "FT4"). A few
// families keep one text for all their speeds or tone spacings, which the log does not tell
// apart: JT4, JT9 and JT65 whatever their letter (JT65B is "JT65"), QRA64, ISCAT and OLIVIA. A
// submode may also be given as the mode, as older files do (MODE PSK31).
//
// Empty when mode and submode are both empty, and when the log has no text of its own for them
// (logModeRefusal says so): such a mode is never cut to four characters, which would name
// another mode or none.
QString logModeOf(const QString &mode, const QString &submode = {});

// Why a mode and submode has no text in the log, in French ("mode ADIF sans équivalent dans le
// log : PSK125RC4"); empty when logModeOf gives a text or when both are empty.
QString logModeRefusal(const QString &mode, const QString &submode = {});

// The ADIF MODE and SUBMODE of a log's mode text (submode empty when the mode has none): "FT4"
// is MFSK with FT4, "TTY" is RTTY, "PSK" is PSK (capitals or not); the texts that earlier
// imports gave by cutting ADIF's name ("CONT", "DIGI", "DOMI", "QRA6") are the mode they were
// cut from. Any other text (typed by hand in an older log) is its own MODE, as it stands.
struct AdifMode {
    QString mode;
    QString submode;
};
AdifMode adifModeOf(const QString &logged);

// The table: every mode and submode the import reads, with the text it gives. The first row of a
// text is the mode and submode the exports write for it.
struct LogModeEntry {
    const char *logged;
    const char *mode;
    const char *submode; // "" for none
};
std::span<const LogModeEntry> logModeTable();

} // namespace orvel
