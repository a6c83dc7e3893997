#include "LabelSettings.h"

#include "platform/Settings.h"

namespace orvel {

namespace {
const QString kTransceiverKey = QStringLiteral("Transceiver");
const QString kAntennaKey = QStringLiteral("Antenne");
const QString kFormatKey = QStringLiteral("N° Etiquette");
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
    return values;
}

void saveLabelSettings(Settings &settings, const LabelSettings &values)
{
    settings.setValue(kAppLabels, kSetupSection, kTransceiverKey, values.station.transceiver);
    settings.setValue(kAppLabels, kSetupSection, kAntennaKey, values.station.antenna);
    settings.setValue(kAppLabels, kSetupSection, kFormatKey, QString::number(values.format));
}

QString stationTextsRefusal(const StationTexts &station)
{
    if (station.transceiver.size() > kTransceiverMaxLength)
        return kTransceiverTooLong;
    if (station.antenna.size() > kAntennaMaxLength)
        return kAntennaTooLong;
    return {};
}

} // namespace orvel
