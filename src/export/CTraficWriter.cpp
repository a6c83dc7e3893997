#include "CTraficWriter.h"

#include "AdifWriter.h"
#include "common/FixedColumns.h"
#include "common/Windows1252.h"
#include "records/QsoLine.h"

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

// A column of the log line, blank-padded so a short line keeps the layout.
QString logColumn(const QString &line, const LineColumn &column)
{
    return paddedColumn(line, column);
}

// A report as C_Trafic takes it: its first two characters.
QString reportColumn(const QString &line, const LineColumn &column)
{
    return paddedColumn(line, column).left(2);
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
    const QString time = logColumn(line, qsocol::kTime);
    QString out;
    out.reserve(kCTraficLineLength);
    out += logColumn(line, qsocol::kDate);
    out += blanks(2);
    out += logColumn(line, qsocol::kCall);
    out += time;
    out += blanks(2);
    out += time;
    out += blanks(2);
    out += logColumn(line, qsocol::kDepartment);
    out += blanks(11);
    out += ctraficBand(bandOfLine(line));
    out += blanks(2);
    out += logColumn(line, qsocol::kMode);
    out += blanks(5);
    out += reportColumn(line, qsocol::kRstReceived);
    out += blanks(8);
    out += reportColumn(line, qsocol::kRstSent);
    out += blanks(30);
    out += logColumn(line, qsocol::kFirstName);
    out += blanks(9);
    out += QStringLiteral("1 ");
    out += blanks(28);
    out += QStringLiteral("0 ");
    out += blanks(2);
    out += logColumn(line, qsocol::kRemarks);
    out += QLatin1Char('*');
    return out;
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
