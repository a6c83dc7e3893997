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

// A column of the log line as windows-1252 bytes, blank-padded to width so a short line keeps
// the layout. A control character would split or shift the line: it becomes a blank.
void appendColumn(QByteArray &out, QStringView line, const LineColumn &column, int width)
{
    const QStringView text = rawColumn(line, column).left(width);
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        const bool control = u < 0x20 || u == 0x7F || (u >= 0x80 && u <= 0x9F);
        out.append(control ? ' ' : windows1252Byte(c));
    }
    out.append(width - text.size(), ' ');
}

void appendColumn(QByteArray &out, QStringView line, const LineColumn &column)
{
    appendColumn(out, line, column, column.width);
}

void appendText(QByteArray &out, const char *text)
{
    out.append(text);
}

void appendBand(QByteArray &out, QStringView line)
{
    const QStringView number = qsoField(line, qsocol::kBand);
    for (const CTraficBand &band : kBands) {
        if (number == QLatin1String(band.number)) {
            out.append(band.text);
            return;
        }
    }
    out.append(encodeWindows1252(ctraficBand(number.toString())));
}

// The line of a QSO, appended to out.
void appendLine(QByteArray &out, QStringView line)
{
    const qsizetype start = out.size();
    appendColumn(out, line, qsocol::kDate);
    out.append(2, ' ');
    appendColumn(out, line, qsocol::kCall);
    appendColumn(out, line, qsocol::kTime);
    out.append(2, ' ');
    appendColumn(out, line, qsocol::kTime);
    out.append(2, ' ');
    appendColumn(out, line, qsocol::kDepartment);
    out.append(11, ' ');
    appendBand(out, line);
    out.append(2, ' ');
    appendColumn(out, line, qsocol::kMode);
    out.append(5, ' ');
    // C_Trafic takes the first two characters of each report.
    appendColumn(out, line, qsocol::kRstReceived, 2);
    out.append(8, ' ');
    appendColumn(out, line, qsocol::kRstSent, 2);
    out.append(30, ' ');
    appendColumn(out, line, qsocol::kFirstName);
    out.append(9, ' ');
    appendText(out, "1 ");
    out.append(28, ' ');
    appendText(out, "0 ");
    out.append(2, ' ');
    appendColumn(out, line, qsocol::kRemarks);
    out.append('*');
    Q_ASSERT(out.size() - start == kCTraficLineLength);
    Q_UNUSED(start);
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
    QByteArray bytes;
    bytes.reserve(kCTraficLineLength);
    appendLine(bytes, line);
    return decodeWindows1252(bytes);
}

bool writeCTrafic(QIODevice &device, const QList<QStringView> &logLines)
{
    // Written in chunks as it goes: a long log never stands twice in memory.
    constexpr qsizetype chunkSize = 1 << 20;
    QByteArray chunk;
    chunk.reserve(chunkSize + kCTraficLineLength + 2);
    for (const QStringView line : logLines) {
        if (!holdsQso(line))
            continue;
        appendLine(chunk, line);
        chunk.append("\r\n", 2);
        if (chunk.size() >= chunkSize) {
            if (device.write(chunk) != chunk.size())
                return false;
            chunk.clear();
        }
    }
    return device.write(chunk) == chunk.size();
}

} // namespace orvel
