#include "RadioTables.h"

#include <array>

namespace orvel {

namespace {

struct BandEdges {
    const char *band;
    qint64 low;  // Hz, included
    qint64 high; // Hz, included
};

// The segments the French licence opens on each band of the entry window's list.
constexpr std::array<BandEdges, 11> kBandEdges{{
    {"1.8", 1'810'000, 2'000'000},
    {"3.5", 3'500'000, 3'800'000},
    {"7", 7'000'000, 7'200'000},
    {"10", 10'100'000, 10'150'000},
    {"14", 14'000'000, 14'350'000},
    {"18", 18'068'000, 18'168'000},
    {"21", 21'000'000, 21'450'000},
    {"24", 24'890'000, 24'990'000},
    {"28", 28'000'000, 29'700'000},
    {"50", 50'000'000, 52'000'000},
    {"144", 144'000'000, 146'000'000},
}};

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

QString bandOfFrequency(qint64 hertz)
{
    for (const BandEdges &edges : kBandEdges) {
        if (hertz >= edges.low && hertz <= edges.high)
            return QString::fromLatin1(edges.band);
    }
    return {};
}

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

} // namespace orvel
