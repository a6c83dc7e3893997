#include "Activation.h"

#include "common/FixedColumns.h"

namespace orvel {

namespace {
QString field(const QString &value, int width)
{
    return padRight(withoutControlCharacters(trimBlanks(value)), width);
}
} // namespace

QString formatActivationLine(const Activation &a)
{
    // A value never touches the next column: every column but the reference and the commune
    // keeps its separating blank.
    QString line;
    line.reserve(kActivationLineLength);
    line += field(a.reference, 13);
    line += field(a.activator, 10) + QLatin1Char(' ');
    line += field(a.name, 35) + QLatin1Char(' ');
    line += field(a.canton, 4) + QLatin1Char(' ');
    line += field(a.postalCode, 5) + QLatin1Char(' ');
    line += field(a.type, 12) + QLatin1Char(' ');
    line += field(a.date, 8) + QLatin1Char(' ');
    line += field(a.commune, 35);
    line += field(a.logger, 10) + QLatin1Char(' ');
    return line;
}

Activation parseActivationLine(const QString &line)
{
    Activation a;
    a.reference = columnsTrimmed(line, 1, 13);
    a.activator = columnsTrimmed(line, 14, 23);
    a.name = columnsTrimmed(line, 25, 59);
    a.canton = columnsTrimmed(line, 61, 64);
    a.postalCode = columnsTrimmed(line, 66, 70);
    a.type = columnsTrimmed(line, 72, 83);
    a.date = columnsTrimmed(line, 85, 92);
    if (line.size() > kOldActivationLineLength) {
        a.commune = columnsTrimmed(line, 93, 127);
        a.logger = columnsTrimmed(line, 129, 138);
    }
    return a;
}

QString referenceOfLine(const QString &line)
{
    return columnsTrimmed(line, 1, 13);
}

} // namespace orvel
