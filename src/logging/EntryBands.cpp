#include "EntryBands.h"

namespace orvel {

const std::array<EntryBand, 11> &entryBandTable()
{
    static constexpr std::array<EntryBand, 11> table{{
        {"1.8", 1.8, 2.0, "160m"},
        {"3.5", 3.5, 4.0, "80m"},
        {"7", 7.0, 7.3, "40m"},
        {"10", 10.1, 10.15, "30m"},
        {"14", 14.0, 14.35, "20m"},
        {"18", 18.068, 18.168, "17m"},
        {"21", 21.0, 21.45, "15m"},
        {"24", 24.89, 24.99, "12m"},
        {"28", 28.0, 29.7, "10m"},
        {"50", 50.0, 54.0, "6m"},
        {"144", 144.0, 148.0, "2m"},
    }};
    return table;
}

std::optional<QString> entryBandOfFrequency(double megahertz)
{
    // A frequency written with a few decimals ("10.15") must not fall out by a rounding.
    constexpr double kTolerance = 1e-9;
    for (const EntryBand &band : entryBandTable()) {
        if (megahertz >= band.lowerMegahertz - kTolerance &&
            megahertz <= band.upperMegahertz + kTolerance)
            return QString::fromLatin1(band.band);
    }
    return std::nullopt;
}

std::optional<QString> entryBandOfAdifName(QStringView name)
{
    const QStringView trimmed = name.trimmed();
    for (const EntryBand &band : entryBandTable()) {
        if (trimmed.compare(QLatin1String(band.adifName), Qt::CaseInsensitive) == 0)
            return QString::fromLatin1(band.band);
    }
    return std::nullopt;
}

} // namespace orvel
