// How the entry window follows the radio: a change of band or mode on the radio becomes the
// band or mode the window would have had the operator chosen it, never while a QSO is edited
// or inserted or during deferred entry, where the typed values stand. When such an entry ends,
// the radio's band and mode apply again at once, even if the radio did not change meanwhile:
// the next QSO is made on the air, where the radio is. A choice the operator makes in the
// window's lists stands until the radio changes again.
#pragma once

#include "Rig.h"

#include <QString>
#include <optional>

namespace orvel {

// What the window does with a reading.
struct RadioStep {
    std::optional<QString> band; // the band text to choose
    std::optional<QString> mode; // the mode text to choose
    bool outOfBand = false;      // the frequency is outside every band: the band stays
};

// Why the window's band and mode may not follow the radio now.
enum class RadioHold {
    None,
    Choosing, // the operator is choosing in the band or mode list
    Typed,    // a QSO is being corrected or inserted, or deferred entry is on
};

class RadioFollower
{
public:
    RadioStep follow(const RadioReading &reading, const QString &windowBand,
                     const QString &windowMode, RadioHold hold = RadioHold::None);
    // A typed entry ended: the last reading's band and mode become the window's where they
    // differ from it.
    RadioStep resume(const QString &windowBand, const QString &windowMode);
    // The next reading is followed as a change (another radio, or the same one after a
    // silence during which the operator worked on).
    void forget();

private:
    std::optional<QString> m_band; // the radio's band as last followed, empty outside
    std::optional<QString> m_mode; // the radio's Hamlib mode as last followed
    std::optional<RadioReading> m_last;
    bool m_typedHold = false; // the last reading came during a typed entry
};

} // namespace orvel
