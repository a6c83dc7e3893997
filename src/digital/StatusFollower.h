// "Suivre la fréquence et le mode de WSJT-X": the band and mode of WSJT-X's status become the
// entry window's as the radio's do, when no radio is followed. Like the radio, a change is
// followed once: a choice the operator makes in the window stands until WSJT-X changes again,
// and nothing changes while the window holds its band and mode as typed.
#pragma once

#include "WsjtxMessage.h"

#include <QString>
#include <optional>

namespace orvel {

struct StatusStep {
    std::optional<QString> band; // the band text to choose
    std::optional<QString> mode; // the mode text to choose
    bool outOfBand = false;      // the dial frequency is outside every band: the band stays
};

class StatusFollower
{
public:
    // held: the window's band and mode stand as typed (a QSO corrected or inserted, deferred
    // entry, a list being chosen in).
    StatusStep follow(const WsjtxStatus &status, const QString &windowBand,
                      const QString &windowMode, bool held);
    void forget();

private:
    std::optional<QString> m_band;
    std::optional<QString> m_mode;
};

} // namespace orvel
