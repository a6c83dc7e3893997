#include "AsciiText.h"

#include "common/Windows1252.h"

#include <algorithm>
#include <array>

namespace orvel {

namespace {

// Letters and signs that have no canonical decomposition into an ASCII base letter.
QString specialFold(char16_t c)
{
    switch (c) {
    case u'œ':
        return QStringLiteral("oe");
    case u'Œ':
        return QStringLiteral("OE");
    case u'æ':
        return QStringLiteral("ae");
    case u'Æ':
        return QStringLiteral("AE");
    case u'ß':
        return QStringLiteral("ss");
    case u'ø':
        return QStringLiteral("o");
    case u'Ø':
        return QStringLiteral("O");
    case u'đ':
        return QStringLiteral("d");
    case u'Đ':
        return QStringLiteral("D");
    case u'ð':
        return QStringLiteral("d");
    case u'Ð':
        return QStringLiteral("D");
    case u'ł':
        return QStringLiteral("l");
    case u'Ł':
        return QStringLiteral("L");
    case u'þ':
        return QStringLiteral("th");
    case u'Þ':
        return QStringLiteral("TH");
    case u'‘':
    case u'’':
    case u'‚':
    case u'´':
        return QStringLiteral("'");
    case u'“':
    case u'”':
    case u'„':
    case u'«':
    case u'»':
        return QStringLiteral("\"");
    case u'–':
    case u'—':
        return QStringLiteral("-");
    case u'…':
        return QStringLiteral("...");
    case u'€':
        return QStringLiteral("EUR");
    case u'°':
        return QStringLiteral("o");
    case u'×':
        return QStringLiteral("x");
    default:
        return {};
    }
}

bool isPrintable(char16_t c)
{
    return c >= 32 && c <= 126;
}

void foldCharacter(QChar c, std::string &out)
{
    const char16_t u = c.unicode();
    if (isPrintable(u)) {
        out.push_back(char(u));
        return;
    }
    if (u < 32 || u == 127) {
        out.push_back(' ');
        return;
    }
    const QString special = specialFold(u);
    if (!special.isEmpty()) {
        out.append(special.toStdString());
        return;
    }
    // Compatibility decomposition: é → e + accent, ﬁ → fi, non-breaking blank → blank.
    const QString decomposed = QString(c).normalized(QString::NormalizationForm_KD);
    bool kept = false;
    for (const QChar part : decomposed) {
        if (isPrintable(part.unicode())) {
            out.push_back(char(part.unicode()));
            kept = true;
        } else if (part.category() != QChar::Mark_NonSpacing) {
            const QString partSpecial = specialFold(part.unicode());
            out.append(partSpecial.isEmpty() ? std::string("?") : partSpecial.toStdString());
            kept = true;
        }
    }
    if (!kept)
        out.push_back('?');
}

// The folding of every character of the 8-bit set and of the Latin letters around it, worked
// out once: the logs hold little else.
constexpr char16_t kTableSize = 0x180;

const std::array<std::string, kTableSize> &foldTable()
{
    static const std::array<std::string, kTableSize> table = [] {
        std::array<std::string, kTableSize> folds;
        for (char16_t u = 0; u < kTableSize; ++u)
            foldCharacter(QChar(u), folds[u]);
        return folds;
    }();
    return table;
}

// The folding of each byte of the files, from the character it stands for.
const std::array<std::string, 256> &byteFoldTable()
{
    static const std::array<std::string, 256> table = [] {
        std::array<std::string, 256> folds;
        for (int b = 0; b < 256; ++b) {
            const QString character = decodeWindows1252(QByteArray(1, char(b)));
            appendAsciiFolded(folds[size_t(b)], character);
        }
        return folds;
    }();
    return table;
}

} // namespace

bool isPrintableAscii(QStringView text)
{
    for (const QChar c : text) {
        if (!isPrintable(c.unicode()))
            return false;
    }
    return true;
}

void appendAsciiFolded(std::string &out, QStringView text)
{
    const auto &table = foldTable();
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (isPrintable(u))
            out.push_back(char(u));
        else if (u < kTableSize)
            out.append(table[u]);
        else
            foldCharacter(c, out);
    }
}

QString asciiFolded(const QString &text)
{
    if (isPrintableAscii(text))
        return text;
    std::string out;
    out.reserve(size_t(text.size()) + 8);
    appendAsciiFolded(out, text);
    return QString::fromLatin1(out.data(), qsizetype(out.size()));
}

bool isPrintableAscii(std::string_view bytes)
{
    for (const char c : bytes) {
        if (!isPrintable(static_cast<unsigned char>(c)))
            return false;
    }
    return true;
}

size_t longestAsciiFold()
{
    static const size_t longest = [] {
        size_t length = 1;
        for (const std::string &fold : byteFoldTable())
            length = std::max(length, fold.size());
        return length;
    }();
    return longest;
}

void appendAsciiFolded(std::string &out, std::string_view windows1252)
{
    const auto &table = byteFoldTable();
    for (const char c : windows1252) {
        const auto b = static_cast<unsigned char>(c);
        if (isPrintable(b))
            out.push_back(c);
        else
            out.append(table[b]);
    }
}

} // namespace orvel
