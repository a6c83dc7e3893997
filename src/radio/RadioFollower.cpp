#include "RadioFollower.h"

#include "RadioTables.h"
#include "records/Bands.h"

namespace orvel {

RadioStep RadioFollower::follow(const RadioReading &reading, const QString &windowBand,
                                const QString &windowMode, bool held)
{
    RadioStep step;
    const QString band = bandOfFrequency(reading.frequency);
    step.outOfBand = band.isEmpty();
    if (held)
        return step;
    if (band != m_band) {
        m_band = band;
        if (!band.isEmpty() && band != windowBand)
            step.band = band;
    }
    if (reading.mode != m_mode) {
        m_mode = reading.mode;
        const QString mode = modeOfRadio(reading.mode, windowMode);
        if (!mode.isEmpty() && mode != windowMode)
            step.mode = mode;
    }
    return step;
}

void RadioFollower::forget()
{
    m_band.reset();
    m_mode.reset();
}

} // namespace orvel
