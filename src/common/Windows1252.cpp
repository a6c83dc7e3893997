#include "Windows1252.h"

#include <algorithm>
#include <array>

namespace orvel {

namespace {

// Code points of bytes 0x80..0x9F; 0 where the byte is unassigned.
constexpr std::array<char16_t, 32> highTable = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

int byteOf(QChar c)
{
    const char16_t u = c.unicode();
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
        return u;
    // The five bytes the set leaves unassigned read as the same code points: they go back
    // as they came, so a file is never changed by being read and written.
    if (u == 0x81 || u == 0x8D || u == 0x8F || u == 0x90 || u == 0x9D)
        return u;
    for (int i = 0; i < 32; ++i) {
        if (highTable[i] != 0 && highTable[i] == u)
            return 0x80 + i;
    }
    return -1;
}

} // namespace

QString decodeWindows1252(QByteArrayView bytes)
{
    QString text;
    decodeWindows1252(bytes, text);
    return text;
}

void decodeWindows1252(QByteArrayView bytes, QString &text)
{
    text.resize(bytes.size());
    QChar *out = text.data();
    // Each byte first as its own code point (Latin-1); the few bytes of 0x80..0x9F, which most
    // text does not hold, are then put right.
    bool high = false;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        out[i] = QChar(char16_t(b));
        high |= static_cast<unsigned char>(b - 0x80) < 0x20;
    }
    if (!high)
        return;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        if (b >= 0x80 && b <= 0x9F && highTable[b - 0x80] != 0)
            out[i] = QChar(highTable[b - 0x80]);
    }
}

QChar windows1252Char(char byte)
{
    const auto b = static_cast<unsigned char>(byte);
    if (b >= 0x80 && b <= 0x9F && highTable[b - 0x80] != 0)
        return QChar(highTable[b - 0x80]);
    return QChar(char16_t(b));
}

QByteArray encodeWindows1252(QStringView text)
{
    // Most text holds no character beyond Latin-1 and none of the C1 controls: it is written
    // as Latin-1, much faster.
    const bool plainLatin1 = std::all_of(text.cbegin(), text.cend(), [](QChar c) {
        const char16_t u = c.unicode();
        return u < 0x80 || (u >= 0xA0 && u <= 0xFF);
    });
    if (plainLatin1)
        return text.toLatin1();
    QByteArray bytes;
    bytes.resize(text.size());
    char *out = bytes.data();
    for (qsizetype i = 0; i < text.size(); ++i) {
        const int b = byteOf(text.at(i));
        out[i] = static_cast<char>(b < 0 ? '?' : b);
    }
    return bytes;
}

char windows1252Byte(QChar c)
{
    const int b = byteOf(c);
    return static_cast<char>(b < 0 ? '?' : b);
}

bool isWindows1252(QChar c)
{
    return byteOf(c) >= 0;
}

QString capitals(const QString &text)
{
    QString result = text;
    for (QChar &c : result) {
        const QChar upper = c.toUpper();
        if (upper != c && isWindows1252(upper))
            c = upper;
    }
    return result;
}

namespace {

// Letters outside the set that no canonical decomposition takes to a letter of it.
QChar plainLetterOf(char16_t c)
{
    switch (c) {
    case u'ł':
        return u'l';
    case u'Ł':
        return u'L';
    case u'đ':
        return u'd';
    case u'Đ':
        return u'D';
    case u'ħ':
        return u'h';
    case u'Ħ':
        return u'H';
    case u'ı':
        return u'i';
    case u'ŧ':
        return u't';
    case u'Ŧ':
        return u'T';
    default:
        return QChar();
    }
}

bool isControl(char16_t u)
{
    return u < 0x20 || u == 0x7F || (u >= 0x80 && u <= 0x9F);
}

} // namespace

QString foldToWindows1252(const QString &text)
{
    QString folded;
    folded.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        const char16_t u = c.unicode();
        if (isControl(u)) {
            folded.append(QLatin1Char(' '));
            continue;
        }
        if (isWindows1252(c)) {
            folded.append(c);
            continue;
        }
        // A character beyond the first plane stands as two halves: one '?' for both.
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            ++i;
        if (const QChar letter = plainLetterOf(u); !letter.isNull()) {
            folded.append(letter);
            continue;
        }
        // "ő" is "o" and a mark, "ǆ" is "dž": what the set holds of the parts is kept.
        QString kept;
        for (const QChar part : QString(c).normalized(QString::NormalizationForm_KD)) {
            if (part.category() == QChar::Mark_NonSpacing)
                continue;
            kept.append(isWindows1252(part) && !isControl(part.unicode()) ? part : QChar(u'?'));
        }
        folded.append(kept.isEmpty() ? QStringLiteral("?") : kept);
    }
    return folded;
}

std::optional<QChar> firstUnencodable(const QString &text)
{
    for (const QChar c : text) {
        if (!isWindows1252(c))
            return c;
    }
    return std::nullopt;
}

std::optional<QChar> firstRefusedCharacter(const QString &text)
{
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 0x20 || u == 0x7F || (u >= 0x80 && u <= 0x9F) || !isWindows1252(c))
            return c;
    }
    return std::nullopt;
}

QString refusedCharacterMessage(QChar c)
{
    const char16_t u = c.unicode();
    if (u < 0x20 || u == 0x7F || (u >= 0x80 && u <= 0x9F))
        return QStringLiteral("Caractère de contrôle (code %1) refusé").arg(int(u));
    return QStringLiteral("Le caractère \"%1\" n'est pas accepté (jeu de caractères Windows)")
        .arg(c);
}

} // namespace orvel
