#include "StatusFollower.h"

#include "records/Bands.h"
#include "records/LogModes.h"

#include <limits>

namespace orvel {

StatusStep StatusFollower::follow(const WsjtxStatus &status, const QString &windowBand,
                                  const QString &windowMode, bool held)
{
    StatusStep step;
    const qint64 hertz = status.dialFrequency > quint64(std::numeric_limits<qint64>::max())
                             ? 0
                             : qint64(status.dialFrequency);
    const QString band = bandOfFrequency(hertz);
    step.outOfBand = band.isEmpty();
    if (held)
        return step;
    if (band != m_band) {
        m_band = band;
        if (!band.isEmpty() && band != windowBand)
            step.band = band;
    }
    // The status's submode is a letter (JT65 "B"), not a mode of its own.
    const QString mode = logModeOf(status.mode);
    if (mode != m_mode) {
        m_mode = mode;
        if (!mode.isEmpty() && mode != windowMode)
            step.mode = mode;
    }
    return step;
}

void StatusFollower::forget()
{
    m_band.reset();
    m_mode.reset();
}

} // namespace orvel
