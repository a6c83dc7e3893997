#include "AsciiText.h"

namespace orvel {

namespace {

// Letters and signs that have no canonical decomposition into an ASCII base letter.
QString specialFold(char16_t c)
{
    switch (c) {
    case u'œ': return QStringLiteral("oe");
    case u'Œ': return QStringLiteral("OE");
    case u'æ': return QStringLiteral("ae");
    case u'Æ': return QStringLiteral("AE");
    case u'ß': return QStringLiteral("ss");
    case u'ø': return QStringLiteral("o");
    case u'Ø': return QStringLiteral("O");
    case u'đ': return QStringLiteral("d");
    case u'Đ': return QStringLiteral("D");
    case u'ð': return QStringLiteral("d");
    case u'Ð': return QStringLiteral("D");
    case u'ł': return QStringLiteral("l");
    case u'Ł': return QStringLiteral("L");
    case u'þ': return QStringLiteral("th");
    case u'Þ': return QStringLiteral("TH");
    case u'‘':
    case u'’':
    case u'‚':
    case u'´': return QStringLiteral("'");
    case u'“':
    case u'”':
    case u'„':
    case u'«':
    case u'»': return QStringLiteral("\"");
    case u'–':
    case u'—': return QStringLiteral("-");
    case u'…': return QStringLiteral("...");
    case u'€': return QStringLiteral("EUR");
    case u'°': return QStringLiteral("o");
    case u'×': return QStringLiteral("x");
    default: return {};
    }
}

bool isPrintable(char16_t c)
{
    return c >= 32 && c <= 126;
}

void foldCharacter(QChar c, QString &out)
{
    const char16_t u = c.unicode();
    if (isPrintable(u)) {
        out.append(c);
        return;
    }
    if (u < 32 || u == 127) {
        out.append(QLatin1Char(' '));
        return;
    }
    const QString special = specialFold(u);
    if (!special.isEmpty()) {
        out.append(special);
        return;
    }
    // Compatibility decomposition: é → e + accent, ﬁ → fi, non-breaking blank → blank.
    const QString decomposed = QString(c).normalized(QString::NormalizationForm_KD);
    bool kept = false;
    for (const QChar part : decomposed) {
        if (isPrintable(part.unicode())) {
            out.append(part);
            kept = true;
        } else if (part.category() != QChar::Mark_NonSpacing) {
            const QString partSpecial = specialFold(part.unicode());
            out.append(partSpecial.isEmpty() ? QStringLiteral("?") : partSpecial);
            kept = true;
        }
    }
    if (!kept)
        out.append(QLatin1Char('?'));
}

} // namespace

bool isPrintableAscii(const QString &text)
{
    for (const QChar c : text) {
        if (!isPrintable(c.unicode()))
            return false;
    }
    return true;
}

QString asciiFolded(const QString &text)
{
    if (isPrintableAscii(text))
        return text;
    QString out;
    out.reserve(text.size() + 8);
    for (const QChar c : text)
        foldCharacter(c, out);
    return out;
}

} // namespace orvel
