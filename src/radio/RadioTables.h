// What the radio says, in the entry window's words: a frequency in hertz becomes the band text
// of the band list ("7", "144"), a Hamlib mode name ("USB", "PKTUSB") the mode text ("SSB").
#pragma once

#include <QString>
#include <QtGlobal>

namespace orvel {

// The band text of a frequency in hertz, edges included ("14" from 14 000 000 to 14 350 000
// Hz); empty outside every band of the list.
QString bandOfFrequency(qint64 hertz);

// The entry window's mode for a Hamlib mode name, given the mode the window shows now: a data
// mode keeps "FT8" or "PSK" and otherwise becomes "FT8". Empty for a mode the window has no
// text for, which leaves the window's mode as it is.
QString modeOfRadio(const QString &hamlibMode, const QString &windowMode);

// A frequency as the operator reads it, in kHz to the hertz: "7 100,000 kHz".
QString frequencyText(qint64 hertz);

} // namespace orvel
