#include "RadioConfig.h"

namespace orvel {

namespace {

const QString kKindKey = QStringLiteral("Radio");
const QString kHostKey = QStringLiteral("Radio Hote");
const QString kTcpPortKey = QStringLiteral("Radio Port Reseau");
const QString kModelKey = QStringLiteral("Radio Modele");
const QString kDeviceKey = QStringLiteral("Radio Port Serie");
const QString kSpeedKey = QStringLiteral("Radio Vitesse");

const QString kKindRigctld = QStringLiteral("rigctld");
const QString kKindDirect = QStringLiteral("directe");
const QString kKindNone = QStringLiteral("aucune");

int number(const QString &text, int fallback)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    return ok ? value : fallback;
}

bool validPort(int port)
{
    return port >= 1 && port <= 65535;
}

} // namespace

std::optional<QString> RadioConfig::problem() const
{
    switch (kind) {
    case RadioLinkKind::None:
        return std::nullopt;
    case RadioLinkKind::Rigctld:
        if (host.trimmed().isEmpty())
            return QStringLiteral("Donnez l'adresse de la machine où tourne rigctld.");
        if (!validPort(tcpPort))
            return QStringLiteral("Le port de rigctld doit être un nombre de 1 à 65535.");
        return std::nullopt;
    case RadioLinkKind::Direct:
        if (model <= 0)
            return QStringLiteral("Choisissez le modèle de la radio.");
        if (speed < 0)
            return QStringLiteral("La vitesse de la liaison doit être un nombre de bauds.");
        return std::nullopt;
    }
    return std::nullopt;
}

QString RadioConfig::description() const
{
    switch (kind) {
    case RadioLinkKind::None:
        return QStringLiteral("aucune radio");
    case RadioLinkKind::Rigctld:
        return QStringLiteral("rigctld %1:%2")
            .arg(host.contains(QLatin1Char(':')) ? QLatin1Char('[') + host + QLatin1Char(']')
                                                 : host)
            .arg(tcpPort);
    case RadioLinkKind::Direct: {
        QString text = QStringLiteral("modèle %1").arg(model);
        if (!device.isEmpty())
            text += QStringLiteral(" sur %1").arg(device);
        if (speed > 0)
            text += QStringLiteral(" à %1 bauds").arg(speed);
        return text;
    }
    }
    return {};
}

RadioConfig loadRadioConfig(const Settings &settings)
{
    const auto read = [&settings](const QString &key) {
        return settings.value(kAppMulti, kSetupSection, key);
    };
    RadioConfig config;
    const QString kind = read(kKindKey).trimmed();
    config.kind = kind == kKindRigctld  ? RadioLinkKind::Rigctld
                  : kind == kKindDirect ? RadioLinkKind::Direct
                                        : RadioLinkKind::None;
    if (const QString host = read(kHostKey).trimmed(); !host.isEmpty())
        config.host = host;
    config.tcpPort = number(read(kTcpPortKey), config.tcpPort);
    config.model = number(read(kModelKey), 0);
    config.device = read(kDeviceKey).trimmed();
    config.speed = number(read(kSpeedKey), 0);
    if (config.problem())
        config.kind = RadioLinkKind::None;
    return config;
}

void saveRadioConfig(Settings &settings, const RadioConfig &config)
{
    const auto write = [&settings](const QString &key, const QString &value) {
        settings.setValue(kAppMulti, kSetupSection, key, value);
    };
    write(kKindKey, config.kind == RadioLinkKind::Rigctld  ? kKindRigctld
                    : config.kind == RadioLinkKind::Direct ? kKindDirect
                                                           : kKindNone);
    write(kHostKey, config.host.trimmed());
    write(kTcpPortKey, QString::number(config.tcpPort));
    write(kModelKey, QString::number(config.model));
    write(kDeviceKey, config.device.trimmed());
    write(kSpeedKey, QString::number(config.speed));
}

std::optional<RadioConfig> rigctldAddress(const QString &text)
{
    const QString trimmed = text.trimmed();
    const qsizetype colon = trimmed.lastIndexOf(QLatin1Char(':'));
    if (colon <= 0)
        return std::nullopt;
    QString host = trimmed.left(colon);
    if (host.startsWith(QLatin1Char('[')) && host.endsWith(QLatin1Char(']')))
        host = host.mid(1, host.size() - 2);
    else if (host.contains(QLatin1Char(':')))
        return std::nullopt; // an IPv6 address needs its brackets
    bool ok = false;
    const int port = trimmed.mid(colon + 1).toInt(&ok);
    if (host.isEmpty() || !ok || !validPort(port))
        return std::nullopt;
    RadioConfig config;
    config.kind = RadioLinkKind::Rigctld;
    config.host = host;
    config.tcpPort = port;
    return config;
}

QList<int> radioSpeeds()
{
    return {1200, 2400, 4800, 9600, 19200, 38400, 57600, 115200};
}

} // namespace orvel
