#include "RadioFollower.h"

#include "RadioTables.h"
#include "records/Bands.h"

namespace orvel {

RadioStep RadioFollower::follow(const RadioReading &reading, const QString &windowBand,
                                const QString &windowMode, RadioHold hold)
{
    RadioStep step;
    const QString band = bandOfFrequency(reading.frequency);
    step.outOfBand = band.isEmpty();
    m_last = reading;
    if (hold == RadioHold::Typed)
        m_typedHold = true;
    if (hold != RadioHold::None)
        return step;
    // The band and mode typed for the entry that just ended are not the radio's.
    if (m_typedHold) {
        m_typedHold = false;
        m_band.reset();
        m_mode.reset();
    }
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

RadioStep RadioFollower::resume(const QString &windowBand, const QString &windowMode)
{
    m_typedHold = true;
    if (!m_last)
        return {};
    return follow(*m_last, windowBand, windowMode);
}

void RadioFollower::forget()
{
    m_band.reset();
    m_mode.reset();
    m_last.reset();
    m_typedHold = false;
}

} // namespace orvel
