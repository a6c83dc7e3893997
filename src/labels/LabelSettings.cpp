#include "LabelSettings.h"

#include "platform/Settings.h"

#include <QRegularExpression>
#include <QStringList>

namespace orvel {

namespace {
const QString kTransceiverKey = QStringLiteral("Transceiver");
const QString kAntennaKey = QStringLiteral("Antenne");
const QString kFormatKey = QStringLiteral("N° Etiquette");
const QString kOffsetXKey = QStringLiteral("Décalage horizontal");
const QString kOffsetYKey = QStringLiteral("Décalage vertical");

double storedOffset(const Settings &settings, const QString &key)
{
    return parseOffset(settings.value(kAppLabels, kSetupSection, key)).value_or(0);
}
} // namespace

LabelSettings loadLabelSettings(const Settings &settings)
{
    LabelSettings values;
    values.station.transceiver = settings.value(kAppLabels, kSetupSection, kTransceiverKey);
    values.station.antenna = settings.value(kAppLabels, kSetupSection, kAntennaKey);
    bool number = false;
    const int format =
        settings.value(kAppLabels, kSetupSection, kFormatKey, QStringLiteral("1")).toInt(&number);
    values.format = number && isLabelFormat(format) ? format : 1;
    values.offset = {storedOffset(settings, kOffsetXKey), storedOffset(settings, kOffsetYKey)};
    return values;
}

void saveLabelSettings(Settings &settings, const LabelSettings &values)
{
    settings.setValue(kAppLabels, kSetupSection, kTransceiverKey, values.station.transceiver);
    settings.setValue(kAppLabels, kSetupSection, kAntennaKey, values.station.antenna);
    settings.setValue(kAppLabels, kSetupSection, kFormatKey, QString::number(values.format));
    settings.setValue(kAppLabels, kSetupSection, kOffsetXKey,
                      QString::number(values.offset.x, 'f', 1));
    settings.setValue(kAppLabels, kSetupSection, kOffsetYKey,
                      QString::number(values.offset.y, 'f', 1));
}

std::optional<double> parseOffset(const QString &text)
{
    QString number = text.trimmed();
    if (number.isEmpty())
        return 0.0;
    number.replace(QLatin1Char(','), QLatin1Char('.'));
    number.replace(QChar(0x2212), QLatin1Char('-')); // the minus sign of typography
    static const QRegularExpression form(
        QStringLiteral("^[+-]?([0-9]{1,2}(\\.[0-9]?)?|\\.[0-9])$"));
    if (!form.match(number).hasMatch())
        return std::nullopt;
    const double value = number.toDouble();
    if (value < -kOffsetLimit || value > kOffsetLimit)
        return std::nullopt;
    return value == 0 ? 0.0 : value;
}

QString offsetText(double millimetres)
{
    QString text = QString::number(millimetres, 'f', 1);
    if (text.endsWith(QLatin1String(".0")))
        text.chop(2);
    if (text == QLatin1String("-0"))
        text = QStringLiteral("0");
    return text.replace(QLatin1Char('.'), QLatin1Char(','));
}

std::optional<LabelOffset> parseOffsetPair(const QString &text)
{
    const QChar separator = text.contains(QLatin1Char(';')) ? QLatin1Char(';') : QLatin1Char(',');
    const QStringList parts = text.split(separator);
    if (parts.size() != 2)
        return std::nullopt;
    const std::optional<double> x = parseOffset(parts.at(0));
    const std::optional<double> y = parseOffset(parts.at(1));
    if (!x || !y || parts.at(0).trimmed().isEmpty() || parts.at(1).trimmed().isEmpty())
        return std::nullopt;
    return LabelOffset{*x, *y};
}

QString stationTextsRefusal(const StationTexts &station)
{
    if (station.transceiver.size() > kTransceiverMaxLength)
        return kTransceiverTooLong;
    if (station.antenna.size() > kAntennaMaxLength)
        return kAntennaTooLong;
    return {};
}

QString storedStationTextsRefusal(const StationTexts &station)
{
    const QString refusal = stationTextsRefusal(station);
    if (refusal.isEmpty())
        return {};
    const bool transceiver = refusal == kTransceiverTooLong;
    return QStringLiteral("Le texte %1 enregistré pour les étiquettes a %2 caractères (%3) : "
                          "corrigez-le dans la fenêtre des étiquettes.")
        .arg(transceiver ? QStringLiteral("de l'émetteur-récepteur (« Transceiver »)")
                         : QStringLiteral("de l'antenne (« Antenne »)"))
        .arg(transceiver ? station.transceiver.size() : station.antenna.size())
        .arg(refusal);
}

} // namespace orvel
