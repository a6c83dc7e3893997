// How the program reaches the radio: not at all, through a rigctld on the network, or directly
// with a Hamlib model on a serial port. Kept in the settings store.
#pragma once

#include "platform/Settings.h"

#include <QList>
#include <QString>
#include <optional>

namespace orvel {

enum class RadioLinkKind { None, Rigctld, Direct };

struct RadioConfig {
    RadioLinkKind kind = RadioLinkKind::None;
    QString host = QStringLiteral("127.0.0.1");
    int tcpPort = 4532; // rigctld's own default
    int model = 0;      // Hamlib model number
    QString device;     // serial port, "/dev/ttyUSB0"
    int speed = 0;      // baud; 0: the model's own speed

    bool operator==(const RadioConfig &) const = default;

    // What is wrong with the values, in French; nothing when they can be used.
    std::optional<QString> problem() const;
    // The link as the operator names it: "rigctld 127.0.0.1:4532", "modèle 3073 sur
    // /dev/ttyUSB0 à 19200 bauds".
    QString description() const;
};

// The configuration kept under application "Orvel Multi", section "Setup ". Values that cannot
// be read (edited by hand) give no radio rather than a wrong one.
RadioConfig loadRadioConfig(const Settings &settings);
void saveRadioConfig(Settings &settings, const RadioConfig &config);

// "HOST:PORT" as given to --rigctld ("[::1]:4532" for an IPv6 address); nothing when it is not
// of that form or the port is not a number from 1 to 65535.
std::optional<RadioConfig> rigctldAddress(const QString &text);

// The serial speeds offered by the settings dialog, slowest first.
QList<int> radioSpeeds();

} // namespace orvel
