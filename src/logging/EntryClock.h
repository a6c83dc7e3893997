// The entry window's clock texts: UTC and local clocks and the day's date of the time base.
#pragma once

#include "platform/Clock.h"

#include <QString>

namespace orvel {

enum class TimeBase { Utc, Local };

// One reading of the clock, all texts taken from the same instant.
struct ClockReading {
    QString utcCaption;   // "hh:mm Utc"
    QString localCaption; // "hh:mm Loc"
    QString currentDate;  // dd/mm/yy of the time base (Date_Courante)

    // The caption of the clock that dates live QSOs.
    const QString &activeCaption(TimeBase base) const
    {
        return base == TimeBase::Utc ? utcCaption : localCaption;
    }
};

ClockReading readClock(const Clock &clock, TimeBase base);

} // namespace orvel
