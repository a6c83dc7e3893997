// The settings of the label window: the station texts and the sheet format, kept in the
// per-user store ("Orvel", "Setup "), and the length checks made before a run.
#pragma once

#include "LabelLines.h"

#include <QString>
#include <optional>

namespace orvel {

class Settings;

inline constexpr int kTransceiverMaxLength = 15;
inline constexpr int kAntennaMaxLength = 13;
inline const QString kTransceiverTooLong = QStringLiteral("15 caracteres maxi");
inline const QString kAntennaTooLong = QStringLiteral("12 caracteres maxi");

// The calibration offset of the label runs, in millimetres: right and down positive.
struct LabelOffset {
    double x = 0;
    double y = 0;
    bool operator==(const LabelOffset &) const = default;
};
inline constexpr double kOffsetLimit = 10;

struct LabelSettings {
    StationTexts station;
    int format = 1;
    LabelOffset offset;
};

// The stored settings; a format other than 1 to 5 reads as 1, an offset that is not one
// the fields accept as 0.
LabelSettings loadLabelSettings(const Settings &settings);
// The station texts and the format, as typed, and the offset.
void saveLabelSettings(Settings &settings, const LabelSettings &values);

// An offset as typed: millimetres from -10 to +10 with at most one decimal, after a comma or
// a point; blank is 0. None when the text is not such a number.
std::optional<double> parseOffset(const QString &text);
// An offset as the fields show it: "1,5", "-2", "0".
QString offsetText(double millimetres);
// "--decalage DX,DY" of the command line: two offsets, each with a point for its decimals
// ("1.5,-2"), or with a comma when the two are separated by a semicolon ("1,5;-2").
std::optional<LabelOffset> parseOffsetPair(const QString &text);

inline const QString kHorizontalOffsetRefused = QStringLiteral(
    "Le décalage horizontal doit être un nombre de millimètres entre -10 et +10, avec une "
    "décimale au plus (par exemple 1,5).");
inline const QString kVerticalOffsetRefused = QStringLiteral(
    "Le décalage vertical doit être un nombre de millimètres entre -10 et +10, avec une "
    "décimale au plus (par exemple -2).");

// The message of the first length check the texts fail (as typed, blanks included); empty
// when both pass.
QString stationTextsRefusal(const StationTexts &station);
// The same for the texts kept in the settings store, read by the command line: the message
// names the setting and where to change it.
QString storedStationTextsRefusal(const StationTexts &station);

} // namespace orvel
