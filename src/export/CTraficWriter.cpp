#include "CTraficWriter.h"

#include "AdifWriter.h"
#include "common/FixedColumns.h"
#include "common/Windows1252.h"

#include <array>

namespace orvel {

namespace {

struct CTraficBand {
    const char *number;
    const char *text;
};
constexpr std::array<CTraficBand, 11> kBands{{{"1.8", "1.8 Mhz "},
                                              {"3.5", "3.5 Mhz "},
                                              {"7", "7.0 Mhz "},
                                              {"10", "10 Mhz  "},
                                              {"14", "14 Mhz  "},
                                              {"18", "18 Mhz  "},
                                              {"21", "21 Mhz  "},
                                              {"24", "24 Mhz  "},
                                              {"28", "28 Mhz  "},
                                              {"50", "50 Mhz  "},
                                              {"144", "144 Mhz "}}};

// Columns first..last of the log line, blank-padded so a short line keeps the layout.
QString logColumns(const QString &line, int first, int last)
{
    return padRight(columns(line, first, last), last - first + 1);
}

QString blanks(int count)
{
    return QString(count, QLatin1Char(' '));
}

} // namespace

QString ctraficFileName(const QString &reference)
{
    return reference + QStringLiteral(".ctf");
}

QString ctraficBand(const QString &bandNumber)
{
    for (const CTraficBand &band : kBands) {
        if (bandNumber == QLatin1String(band.number))
            return QString::fromLatin1(band.text);
    }
    return padRight(bandNumber + QStringLiteral(" Mhz"), 8);
}

QString ctraficLine(const QString &line)
{
    const QString time = logColumns(line, 11, 15);
    QString out;
    out.reserve(kCTraficLineLength);
    out += logColumns(line, 1, 8);
    out += blanks(2);
    out += logColumns(line, 18, 29);
    out += time;
    out += blanks(2);
    out += time;
    out += blanks(2);
    out += logColumns(line, 32, 33);
    out += blanks(11);
    out += ctraficBand(columnsTrimmed(line, 67, 69));
    out += blanks(2);
    out += logColumns(line, 61, 64);
    out += blanks(5);
    out += logColumns(line, 53, 54);
    out += blanks(8);
    out += logColumns(line, 57, 58);
    out += blanks(30);
    out += logColumns(line, 36, 50);
    out += blanks(9);
    out += QStringLiteral("1 ");
    out += blanks(28);
    out += QStringLiteral("0 ");
    out += blanks(2);
    out += logColumns(line, 75, 104);
    out += QLatin1Char('*');
    // A control character from a hand-edited log would break the fixed columns.
    return withoutControlCharacters(out);
}

bool writeCTrafic(QIODevice &device, const QList<QStringView> &logLines)
{
    QByteArray bytes;
    bytes.reserve(logLines.size() * (kCTraficLineLength + 2));
    for (const QStringView line : logLines) {
        if (!holdsQso(line))
            continue;
        bytes.append(encodeWindows1252(ctraficLine(line.toString())));
        bytes.append("\r\n", 2);
    }
    return device.write(bytes) == bytes.size();
}

} // namespace orvel
