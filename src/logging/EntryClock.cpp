#include "EntryClock.h"

#include "common/DateTimeText.h"

namespace orvel {

ClockReading readClock(const Clock &clock, TimeBase base)
{
    const QDateTime utc = clock.utcNow();
    const QDateTime local = clock.localNow();
    ClockReading reading;
    reading.utcCaption = clockText(utc.time()).left(5) + QStringLiteral(" Utc");
    reading.localCaption = clockText(local.time()).left(5) + QStringLiteral(" Loc");
    reading.currentDate = dateText(base == TimeBase::Utc ? utc.date() : local.date());
    return reading;
}

} // namespace orvel
