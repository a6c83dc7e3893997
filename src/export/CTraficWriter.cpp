#include "CTraficWriter.h"

#include "LogBytes.h"
#include "common/FixedColumns.h"
#include "common/Windows1252.h"
#include "records/QsoLine.h"

#include <array>
#include <cstring>

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

// What each byte of the log becomes in the file: itself, except the control characters, which
// would split or shift the line and become blanks.
const std::array<char, 256> &ctraficBytes()
{
    static const std::array<char, 256> table = [] {
        std::array<char, 256> bytes;
        for (int b = 0; b < 256; ++b) {
            const char16_t u = decodeWindows1252(QByteArray(1, char(b))).at(0).unicode();
            const bool control = u < 0x20 || u == 0x7F || (u >= 0x80 && u <= 0x9F);
            bytes[size_t(b)] = control ? ' ' : char(b);
        }
        return bytes;
    }();
    return table;
}

// Whether the bytes of the columns a C_Trafic line takes are all written as they stand: no
// control character, and nothing of 0x80..0x9F, where windows-1252 has both characters and
// control characters. Most lines are: their columns are then copied whole.
bool copiedAsTheyStand(LogBytes line)
{
    const LogBytes columns = line.substr(0, size_t(qsocol::kRemarks.end() - 1));
    const auto *bytes = reinterpret_cast<const unsigned char *>(columns.data());
    // Without an early way out, so that the compiler checks many bytes at a time.
    unsigned char special = 0;
    for (size_t i = 0; i < columns.size(); ++i) {
        const unsigned char b = bytes[i];
        special |= static_cast<unsigned char>((b < 0x20) | (b == 0x7F) |
                                              (static_cast<unsigned char>(b - 0x80) < 0x20));
    }
    return special == 0;
}

// Writes the C_Trafic line of a log line into a buffer that always has room for it.
class LineWriter
{
public:
    LineWriter(char *at, LogBytes line)
        : m_bytes(ctraficBytes())
        , m_plain(copiedAsTheyStand(line))
        , m_at(at)
    {
    }
    char *end() const { return m_at; }

    // text, blank-padded or cut to width, so a short line keeps the layout.
    void text(LogBytes text, size_t width)
    {
        text = text.substr(0, width);
        if (m_plain && !text.empty()) {
            std::memcpy(m_at, text.data(), text.size());
            m_at += text.size();
        } else {
            for (const char c : text)
                *m_at++ = m_bytes[static_cast<unsigned char>(c)];
        }
        blanks(width - text.size());
    }
    void column(LogBytes line, const LineColumn &column, size_t width)
    {
        text(byteColumn(line, column), width);
    }
    void column(LogBytes line, const LineColumn &column)
    {
        this->column(line, column, size_t(column.width));
    }
    void blanks(size_t count)
    {
        std::memset(m_at, ' ', count);
        m_at += count;
    }
    void band(LogBytes line)
    {
        const LogBytes number = byteField(line, qsocol::kBand);
        for (const CTraficBand &band : kBands) {
            if (number == band.number) {
                std::memcpy(m_at, band.text, kBandWidth);
                m_at += kBandWidth;
                return;
            }
        }
        const QByteArray text = encodeWindows1252(ctraficBand(decodedBytes(number)));
        this->text(LogBytes(text.constData(), size_t(text.size())), kBandWidth);
    }

private:
    static constexpr size_t kBandWidth = 8;
    const std::array<char, 256> &m_bytes;
    const bool m_plain;
    char *m_at;
};

// The line of a QSO, written at out, which has room for kCTraficLineLength bytes; returns its
// end.
char *writeLine(char *out, LogBytes line)
{
    LineWriter write(out, line);
    write.column(line, qsocol::kDate);
    write.blanks(2);
    write.column(line, qsocol::kCall);
    write.column(line, qsocol::kTime);
    write.blanks(2);
    write.column(line, qsocol::kTime);
    write.blanks(2);
    write.column(line, qsocol::kDepartment);
    write.blanks(11);
    write.band(line);
    write.blanks(2);
    write.column(line, qsocol::kMode);
    write.blanks(5);
    // C_Trafic takes the first two characters of each report.
    write.column(line, qsocol::kRstReceived, 2);
    write.blanks(8);
    write.column(line, qsocol::kRstSent, 2);
    write.blanks(30);
    write.column(line, qsocol::kFirstName);
    write.blanks(9);
    write.text("1 ", 2);
    write.blanks(28);
    write.text("0 ", 2);
    write.blanks(2);
    write.column(line, qsocol::kRemarks);
    write.text("*", 1);
    Q_ASSERT(write.end() - out == kCTraficLineLength);
    return write.end();
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
    const QByteArray stored = encodeWindows1252(line);
    QByteArray bytes(kCTraficLineLength, ' ');
    writeLine(bytes.data(), LogBytes(stored.constData(), size_t(stored.size())));
    return decodeWindows1252(bytes);
}

bool writeCTrafic(QIODevice &device, const QByteArray &log)
{
    return writeCTrafic(device, linesOf(log));
}

bool writeCTrafic(QIODevice &device, const LogLines &lines)
{
    // Written in chunks as it goes: a long log never stands twice in memory.
    constexpr qsizetype lineSize = kCTraficLineLength + 2;
    constexpr qsizetype chunkLines = (1 << 20) / lineSize;
    QByteArray chunk(chunkLines * lineSize, Qt::Uninitialized);
    char *const first = chunk.data();
    char *at = first;
    auto flushChunk = [&] {
        const qint64 size = at - first;
        at = first;
        return device.write(first, size) == size;
    };
    const bool whole = lines([&](LogBytes line) {
        at = writeLine(at, line);
        *at++ = '\r';
        *at++ = '\n';
        return at - first + lineSize <= chunk.size() || flushChunk();
    });
    return whole && flushChunk();
}

} // namespace orvel
