#include "DigitalSettings.h"

#include <QHostAddress>

namespace orvel {

namespace {

const QString kEnabledKey = QStringLiteral("Wsjtx_Recevoir");
const QString kPortKey = QStringLiteral("Wsjtx_Port");
const QString kAddressKey = QStringLiteral("Wsjtx_Adresse");
const QString kFollowKey = QStringLiteral("Wsjtx_Suivre");

bool validPort(int port)
{
    return port >= 1 && port <= 65535;
}

QString yesNo(bool on)
{
    return on ? QStringLiteral("1") : QStringLiteral("0");
}

} // namespace

std::optional<QString> DigitalSettings::problem() const
{
    if (!validPort(port))
        return QStringLiteral("Le port UDP doit être un nombre de 1 à 65535.");
    if (QHostAddress(address.trimmed()).isNull())
        return QStringLiteral("L'adresse « %1 » n'est pas une adresse IP (127.0.0.1, ou un "
                              "groupe de multidiffusion comme 224.0.0.1).")
            .arg(address.trimmed());
    return std::nullopt;
}

DigitalSettings loadDigitalSettings(const Settings &settings)
{
    const auto read = [&settings](const QString &key) {
        return settings.value(kAppMulti, kSetupSection, key).trimmed();
    };
    DigitalSettings values;
    values.enabled = read(kEnabledKey) == QLatin1String("1");
    values.followStatus = read(kFollowKey) == QLatin1String("1");
    bool ok = false;
    const int port = read(kPortKey).toInt(&ok);
    if (ok && validPort(port))
        values.port = port;
    if (const QString address = read(kAddressKey);
        !address.isEmpty() && !QHostAddress(address).isNull())
        values.address = address;
    return values;
}

void saveDigitalSettings(Settings &settings, const DigitalSettings &values)
{
    const auto write = [&settings](const QString &key, const QString &value) {
        settings.setValue(kAppMulti, kSetupSection, key, value);
    };
    write(kEnabledKey, yesNo(values.enabled));
    write(kPortKey, QString::number(values.port));
    write(kAddressKey, values.address.trimmed());
    write(kFollowKey, yesNo(values.followStatus));
}

} // namespace orvel
