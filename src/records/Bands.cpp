#include "Bands.h"

namespace orvel {

const std::array<Band, 11> &bandTable()
{
    static constexpr std::array<Band, 11> table{{
        {"1.8", "160m", 1'810'000, 2'000'000},
        {"3.5", "80m", 3'500'000, 3'800'000},
        {"7", "40m", 7'000'000, 7'200'000},
        {"10", "30m", 10'100'000, 10'150'000},
        {"14", "20m", 14'000'000, 14'350'000},
        {"18", "17m", 18'068'000, 18'168'000},
        {"21", "15m", 21'000'000, 21'450'000},
        {"24", "12m", 24'890'000, 24'990'000},
        {"28", "10m", 28'000'000, 29'700'000},
        {"50", "6m", 50'000'000, 52'000'000},
        {"144", "2m", 144'000'000, 146'000'000},
    }};
    return table;
}

QStringList bandTexts()
{
    QStringList texts;
    for (const Band &band : bandTable())
        texts.append(QString::fromLatin1(band.text));
    return texts;
}

QString bandOfFrequency(qint64 hertz)
{
    for (const Band &band : bandTable()) {
        if (hertz >= band.lowHertz && hertz <= band.highHertz)
            return QString::fromLatin1(band.text);
    }
    return {};
}

QString bandOfAdifName(QStringView name)
{
    const QStringView trimmed = name.trimmed();
    for (const Band &band : bandTable()) {
        if (trimmed.compare(QLatin1String(band.adifName), Qt::CaseInsensitive) == 0)
            return QString::fromLatin1(band.text);
    }
    return {};
}

} // namespace orvel
