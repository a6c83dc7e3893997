// What the radio says, in the entry window's words: a Hamlib mode name ("USB", "PKTUSB") becomes
// the mode text ("SSB"); its frequency becomes a band through the band table (records/Bands).
#pragma once

#include <QString>
#include <QtGlobal>

namespace orvel {

// The entry window's mode for a Hamlib mode name, given the mode the window shows now: a data
// mode keeps "FT8" or "PSK" and otherwise becomes "FT8". Empty for a mode the window has no
// text for, which leaves the window's mode as it is.
QString modeOfRadio(const QString &hamlibMode, const QString &windowMode);

// A frequency as the operator reads it, in kHz to the hertz: "7 100,000 kHz".
QString frequencyText(qint64 hertz);

} // namespace orvel
