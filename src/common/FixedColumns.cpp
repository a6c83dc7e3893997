#include "FixedColumns.h"

namespace orvel {

QString padRight(const QString &value, int width)
{
    if (width <= 0)
        return {};
    if (value.size() >= width)
        return value.left(width);
    return value + QString(width - value.size(), QLatin1Char(' '));
}

QString trimBlanks(const QString &value)
{
    qsizetype start = 0;
    qsizetype end = value.size();
    while (start < end && value.at(start) == QLatin1Char(' '))
        ++start;
    while (end > start && value.at(end - 1) == QLatin1Char(' '))
        --end;
    return value.mid(start, end - start);
}

QString withoutControlCharacters(const QString &value)
{
    QString result = value;
    for (QChar &c : result) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f || c.category() == QChar::Other_Control)
            c = QLatin1Char(' ');
    }
    return result;
}

QString numberText(long long value)
{
    return value >= 0 ? QLatin1Char(' ') + QString::number(value) : QString::number(value);
}

} // namespace orvel
