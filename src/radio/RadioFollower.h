// How the entry window follows the radio: a change of band or mode on the radio becomes the
// band or mode the window would have had the operator chosen it, never while a QSO is edited
// or inserted or during deferred entry, where the typed values stand. A change made meanwhile
// is followed once the window may follow again; a choice the operator makes in the window
// stands until the radio changes again.
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

class RadioFollower
{
public:
    // held: a QSO is being edited or inserted, or deferred entry is on.
    RadioStep follow(const RadioReading &reading, const QString &windowBand,
                     const QString &windowMode, bool held);
    // The next reading is followed as a change (another radio, or the same one after a
    // silence during which the operator worked on).
    void forget();

private:
    std::optional<QString> m_band; // the radio's band as last followed, empty outside
    std::optional<QString> m_mode; // the radio's Hamlib mode as last followed
};

} // namespace orvel
