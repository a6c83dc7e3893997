// The settings of the label window: the station texts and the sheet format, kept in the
// per-user store ("Orvel", "Setup "), and the length checks made before a run.
#pragma once

#include "LabelLines.h"

#include <QString>

namespace orvel {

class Settings;

inline constexpr int kTransceiverMaxLength = 15;
inline constexpr int kAntennaMaxLength = 13;
inline const QString kTransceiverTooLong = QStringLiteral("15 caracteres maxi");
inline const QString kAntennaTooLong = QStringLiteral("12 caracteres maxi");

struct LabelSettings {
    StationTexts station;
    int format = 1;
};

// The stored settings; a format other than 1 to 5 reads as 1.
LabelSettings loadLabelSettings(const Settings &settings);
// The station texts and the format, as typed.
void saveLabelSettings(Settings &settings, const LabelSettings &values);

// The message of the first length check the texts fail (as typed, blanks included); empty
// when both pass.
QString stationTextsRefusal(const StationTexts &station);

} // namespace orvel
