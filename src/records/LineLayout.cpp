#include "LineLayout.h"

namespace orvel {

QStringView rawColumn(QStringView line, const LineColumn &column)
{
    if (column.first > line.size())
        return {};
    return line.mid(column.first - 1,
                    qMin<qsizetype>(column.width, line.size() - column.first + 1));
}

QStringView trimmedBlanks(QStringView text)
{
    qsizetype start = 0;
    qsizetype end = text.size();
    while (start < end && text[start] == QLatin1Char(' '))
        ++start;
    while (end > start && text[end - 1] == QLatin1Char(' '))
        --end;
    return text.mid(start, end - start);
}

QStringView trimmedColumn(QStringView line, const LineColumn &column)
{
    return trimmedBlanks(rawColumn(line, column));
}

QString paddedColumn(QStringView line, const LineColumn &column)
{
    QString text = rawColumn(line, column).toString();
    if (text.size() < column.width)
        text.append(QString(column.width - text.size(), QLatin1Char(' ')));
    return text;
}

QStringView restFrom(QStringView line, const LineColumn &column)
{
    if (column.first > line.size())
        return {};
    return line.mid(column.first - 1);
}

void placeColumn(QString &line, const LineColumn &column, QStringView value)
{
    const qsizetype length = qMin<qsizetype>(value.size(), column.width);
    qsizetype at = column.first - 1;
    if (column.alignment == Alignment::Right)
        at += column.width - length;
    for (qsizetype i = 0; i < length; ++i)
        line[at + i] = value[i];
}

QString headingLine(const QList<ColumnTitle> &titles)
{
    QString line;
    for (const ColumnTitle &title : titles) {
        const qsizetype start = title.start - 1;
        if (line.isEmpty() && start > 0)
            line.fill(QLatin1Char(' '), start);
        else if (line.size() < start)
            line.append(QString(start - line.size(), QLatin1Char(' ')));
        else if (!line.isEmpty())
            line.append(QLatin1Char(' '));
        line.append(title.text);
    }
    return line;
}

} // namespace orvel
