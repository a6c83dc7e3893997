// What the radio says, in the entry window's words: a Hamlib mode name ("USB", "PKTUSB") becomes
// the mode text ("SSB"); its frequency becomes a band through the band table (records/Bands).
#pragma once

#include "Rig.h"

#include <QString>
#include <QtGlobal>
#include <optional>

namespace orvel {

// The entry window's mode for a Hamlib mode name, given the mode the window shows now: a data
// mode keeps "FT8" or "PSK" and otherwise becomes "FT8". Empty for a mode the window has no
// text for, which leaves the window's mode as it is.
QString modeOfRadio(const QString &hamlibMode, const QString &windowMode);

// A frequency as the operator reads it, in kHz to the hertz: "7 100,000 kHz".
QString frequencyText(qint64 hertz);

// What a radio answered, checked: a frequency in hertz (not a number, infinite, zero or
// negative, or past 1 THz, is nonsense) and a mode name (empty is nonsense). The reading, or
// nothing.
std::optional<RadioReading> checkedReading(double hertz, const QString &mode);
// Said when the answer is nonsense.
inline const QString kRadioNonsense = QStringLiteral("Réponse incompréhensible de la radio");

} // namespace orvel
