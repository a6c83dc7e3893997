#include "RadioTables.h"

#include <cmath>

#include <array>

namespace orvel {

namespace {

struct ModeName {
    const char *hamlib;
    const char *window;
};

constexpr std::array<ModeName, 9> kModes{{
    {"USB", "SSB"},
    {"LSB", "SSB"},
    {"CW", "CW"},
    {"CWR", "CW"},
    {"FM", "FM"},
    {"WFM", "FM"},
    {"RTTY", "TTY"},
    {"RTTYR", "TTY"},
    {"AM", "AM"},
}};

constexpr std::array<const char *, 3> kDataModes{"PKTUSB", "PKTLSB", "PKTFM"};

} // namespace

QString modeOfRadio(const QString &hamlibMode, const QString &windowMode)
{
    for (const ModeName &mode : kModes) {
        if (hamlibMode == QLatin1String(mode.hamlib))
            return QString::fromLatin1(mode.window);
    }
    for (const char *data : kDataModes) {
        if (hamlibMode == QLatin1String(data)) {
            // The radio cannot tell FT8 from PSK: the operator's choice between them stands.
            if (windowMode == QLatin1String("FT8") || windowMode == QLatin1String("PSK"))
                return windowMode;
            return QStringLiteral("FT8");
        }
    }
    return {};
}

QString frequencyText(qint64 hertz)
{
    const qint64 khz = hertz / 1000;
    const qint64 rest = hertz % 1000;
    QString whole = QString::number(khz);
    for (qsizetype at = whole.size() - 3; at > 0; at -= 3)
        whole.insert(at, QLatin1Char(' '));
    return QStringLiteral("%1,%2 kHz").arg(whole).arg(rest, 3, 10, QLatin1Char('0'));
}

std::optional<RadioReading> checkedReading(double hertz, const QString &mode)
{
    constexpr double kHighest = 1e12;
    // Written so that not-a-number fails too.
    if (!(hertz >= 1.0 && hertz <= kHighest) || mode.trimmed().isEmpty())
        return std::nullopt;
    return RadioReading{qint64(std::llround(hertz)), mode};
}

} // namespace orvel
