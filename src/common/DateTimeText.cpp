#include "DateTimeText.h"

namespace orvel {

namespace {

char16_t unitOf(QChar c)
{
    return c.unicode();
}
char16_t unitOf(char c)
{
    return static_cast<unsigned char>(c);
}

// True when text has exactly the length of form, with an ASCII digit wherever form has a '9'
// and the same character elsewhere.
template <typename Text> bool matchesForm(Text text, QLatin1String form)
{
    if (text.size() != form.size())
        return false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = unitOf(text[i]);
        if (form[i] == QLatin1Char('9') ? c < u'0' || c > u'9' : c != form[i].unicode())
            return false;
    }
    return true;
}

template <typename Text> std::optional<qint64> orderKeyOf(Text date, Text time)
{
    if (!matchesForm(date, QLatin1String("99/99/99")) || !matchesForm(time, QLatin1String("99:99")))
        return std::nullopt;
    const auto number = [](Text text, qsizetype at) -> qint64 {
        return (unitOf(text[at]) - '0') * 10 + (unitOf(text[at + 1]) - '0');
    };
    const qint64 year = fullYear(int(number(date, 6)));
    return (((year * 100 + number(date, 3)) * 100 + number(date, 0)) * 100 + number(time, 0)) *
               100 +
           number(time, 3);
}

} // namespace

int fullYear(int twoDigitYear)
{
    return twoDigitYear >= 50 ? 1900 + twoDigitYear : 2000 + twoDigitYear;
}

QString dateText(const QDate &date)
{
    return date.toString(QStringLiteral("dd/MM/yy"));
}

QString timeText(const QTime &time)
{
    return time.toString(QStringLiteral("HH:mm"));
}

QString clockText(const QTime &time)
{
    return time.toString(QStringLiteral("HH:mm:ss"));
}

bool hasDateForm(QStringView text)
{
    return matchesForm(text, QLatin1String("99/99/99"));
}

bool hasTimeForm(QStringView text)
{
    return matchesForm(text, QLatin1String("99:99"));
}

QString dateSeparatorDue(QStringView typed)
{
    return typed.size() == 2 || typed.size() == 5 ? QStringLiteral("/") : QString();
}

QString timeSeparatorDue(QStringView typed)
{
    return typed.size() == 2 ? QStringLiteral(":") : QString();
}

std::optional<QDate> parseDateText(const QString &text)
{
    if (!hasDateForm(text))
        return std::nullopt;
    const QDate date(fullYear(text.mid(6, 2).toInt()), text.mid(3, 2).toInt(),
                     text.mid(0, 2).toInt());
    if (!date.isValid())
        return std::nullopt;
    return date;
}

std::optional<QTime> parseTimeText(const QString &text)
{
    if (!hasTimeForm(text))
        return std::nullopt;
    const QTime time(text.mid(0, 2).toInt(), text.mid(3, 2).toInt());
    if (!time.isValid())
        return std::nullopt;
    return time;
}

std::optional<qint64> momentOrderKey(QStringView date, QStringView time)
{
    return orderKeyOf(date, time);
}

std::optional<qint64> momentOrderKey(QByteArrayView date, QByteArrayView time)
{
    return orderKeyOf(date, time);
}

} // namespace orvel
