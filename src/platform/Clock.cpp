#include "Clock.h"

namespace orvel {

namespace {
QDateTime toSecond(const QDateTime &moment)
{
    const QTime t = moment.time();
    return QDateTime(moment.date(), QTime(t.hour(), t.minute(), t.second()), moment.timeSpec());
}
} // namespace

QDateTime SystemClock::utcNow() const
{
    return toSecond(QDateTime::currentDateTimeUtc());
}

QDateTime SystemClock::localNow() const
{
    return toSecond(QDateTime::currentDateTime());
}

} // namespace orvel
