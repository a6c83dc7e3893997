#include "DateTimeText.h"

namespace orvel {

namespace {

bool isDigits(QStringView text, qsizetype from, qsizetype count)
{
    for (qsizetype i = from; i < from + count; ++i) {
        if (i >= text.size() || !text.at(i).isDigit() || text.at(i).unicode() > 127)
            return false;
    }
    return true;
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

std::optional<QDate> parseDateText(const QString &text)
{
    if (text.size() != 8 || text.at(2) != QLatin1Char('/') || text.at(5) != QLatin1Char('/') ||
        !isDigits(text, 0, 2) || !isDigits(text, 3, 2) || !isDigits(text, 6, 2))
        return std::nullopt;
    const QDate date(fullYear(text.mid(6, 2).toInt()), text.mid(3, 2).toInt(),
                     text.mid(0, 2).toInt());
    if (!date.isValid())
        return std::nullopt;
    return date;
}

std::optional<QTime> parseTimeText(const QString &text)
{
    if (text.size() != 5 || text.at(2) != QLatin1Char(':') || !isDigits(text, 0, 2) ||
        !isDigits(text, 3, 2))
        return std::nullopt;
    const QTime time(text.mid(0, 2).toInt(), text.mid(3, 2).toInt());
    if (!time.isValid())
        return std::nullopt;
    return time;
}

std::optional<qint64> momentOrderKey(QStringView date, QStringView time)
{
    if (date.size() != 8 || date[2] != QLatin1Char('/') || date[5] != QLatin1Char('/') ||
        !isDigits(date, 0, 2) || !isDigits(date, 3, 2) || !isDigits(date, 6, 2) ||
        time.size() != 5 || time[2] != QLatin1Char(':') || !isDigits(time, 0, 2) ||
        !isDigits(time, 3, 2))
        return std::nullopt;
    const auto number = [](QStringView text, qsizetype at) -> qint64 {
        return (text[at].unicode() - '0') * 10 + (text[at + 1].unicode() - '0');
    };
    const qint64 year = fullYear(int(number(date, 6)));
    return (((year * 100 + number(date, 3)) * 100 + number(date, 0)) * 100 + number(time, 0)) *
               100 +
           number(time, 3);
}

} // namespace orvel
