#include "Activation.h"

#include "common/FixedColumns.h"

namespace orvel {

namespace {
QString field(const QString &value)
{
    return withoutControlCharacters(trimBlanks(value));
}
} // namespace

QString formatActivationLine(const Activation &a)
{
    using namespace actcol;
    QString line(kLineLength, QLatin1Char(' '));
    placeColumn(line, kReference, field(a.reference));
    placeColumn(line, kActivator, field(a.activator));
    placeColumn(line, kName, field(a.name));
    placeColumn(line, kCanton, field(a.canton));
    placeColumn(line, kPostalCode, field(a.postalCode));
    placeColumn(line, kType, field(a.type));
    placeColumn(line, kDate, field(a.date));
    placeColumn(line, kCommune, field(a.commune));
    placeColumn(line, kLogger, field(a.logger));
    return line;
}

Activation parseActivationLine(const QString &line)
{
    using namespace actcol;
    const auto value = [&line](const LineColumn &column) {
        return trimmedColumn(line, column).toString();
    };
    Activation a;
    a.reference = value(kReference);
    a.activator = value(kActivator);
    a.name = value(kName);
    a.canton = value(kCanton);
    a.postalCode = value(kPostalCode);
    a.type = value(kType);
    a.date = value(kDate);
    if (line.size() > kOldLineLength) {
        a.commune = value(kCommuneRead);
        a.logger = value(kLogger);
    }
    return a;
}

QString referenceOfLine(const QString &line)
{
    return trimmedColumn(line, actcol::kReference).toString();
}

} // namespace orvel
