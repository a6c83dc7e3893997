#include "Bands.h"

namespace orvel {

const std::array<Band, 14> &bandTable()
{
    static constexpr std::array<Band, 14> table{{
        {"1.8", "160m", 1'810'000, 2'000'000, true},
        {"3.5", "80m", 3'500'000, 3'800'000, true},
        {"7", "40m", 7'000'000, 7'200'000, true},
        {"10", "30m", 10'100'000, 10'150'000, true},
        {"14", "20m", 14'000'000, 14'350'000, true},
        {"18", "17m", 18'068'000, 18'168'000, true},
        {"21", "15m", 21'000'000, 21'450'000, true},
        {"24", "12m", 24'890'000, 24'990'000, true},
        {"28", "10m", 28'000'000, 29'700'000, true},
        {"50", "6m", 50'000'000, 52'000'000, true},
        {"144", "2m", 144'000'000, 146'000'000, true},
        // The French segment of 60m; 4m and 70cm as ADIF bounds them (a file may bring a QSO
        // made abroad). 23cm has no text of at most 3 characters that the exports read as
        // 1.2 GHz: it is not among them.
        {"5", "60m", 5'351'500, 5'366'500, false},
        {"70", "4m", 70'000'000, 71'000'000, false},
        {"432", "70cm", 420'000'000, 450'000'000, false},
    }};
    return table;
}

QStringList bandTexts()
{
    QStringList texts;
    for (const Band &band : bandTable()) {
        if (band.inEntryList)
            texts.append(QString::fromLatin1(band.text));
    }
    return texts;
}

namespace {

QString textOfFrequency(qint64 hertz, bool entryListOnly)
{
    for (const Band &band : bandTable()) {
        if ((band.inEntryList || !entryListOnly) && hertz >= band.lowHertz &&
            hertz <= band.highHertz)
            return QString::fromLatin1(band.text);
    }
    return {};
}

QString textOfAdifName(QStringView name, bool entryListOnly)
{
    const QStringView trimmed = name.trimmed();
    for (const Band &band : bandTable()) {
        if ((band.inEntryList || !entryListOnly) &&
            trimmed.compare(QLatin1String(band.adifName), Qt::CaseInsensitive) == 0)
            return QString::fromLatin1(band.text);
    }
    return {};
}

} // namespace

QString bandOfFrequency(qint64 hertz)
{
    return textOfFrequency(hertz, true);
}

QString bandOfAdifName(QStringView name)
{
    return textOfAdifName(name, true);
}

QString loggedBandOfFrequency(qint64 hertz)
{
    return textOfFrequency(hertz, false);
}

QString loggedBandOfAdifName(QStringView name)
{
    return textOfAdifName(name, false);
}

} // namespace orvel
