// How the program hears WSJT-X and JTDX: whether it takes their QSOs, on which UDP port and
// address, and whether their status sets the entry window's band and mode. Kept in the settings
// store, section "Setup ".
#pragma once

#include "platform/Settings.h"

#include <QString>
#include <optional>

namespace orvel {

inline constexpr int kWsjtxDefaultPort = 2237;
inline const QString kWsjtxDefaultAddress = QStringLiteral("127.0.0.1");

struct DigitalSettings {
    bool enabled = false; // "Recevoir les QSO de WSJT-X / JTDX", off until chosen
    int port = kWsjtxDefaultPort;
    QString address = kWsjtxDefaultAddress; // a unicast address, or a multicast group
    bool followStatus = false;              // "Suivre la fréquence et le mode de WSJT-X"

    bool operator==(const DigitalSettings &) const = default;

    // What is wrong with the port or the address, in French; nothing when they can be used.
    std::optional<QString> problem() const;
};

// Values that cannot be read (edited by hand) give the defaults.
DigitalSettings loadDigitalSettings(const Settings &settings);
void saveDigitalSettings(Settings &settings, const DigitalSettings &values);

} // namespace orvel
