#include "FakeClock.h"

namespace orvel {

FakeClock::FakeClock(QDateTime utc, int localOffsetSeconds)
    : m_utc(std::move(utc))
    , m_offset(localOffsetSeconds)
{
}

QDateTime FakeClock::utcNow() const
{
    return m_utc;
}

QDateTime FakeClock::localNow() const
{
    const QDateTime shifted = m_utc.addSecs(m_offset);
    return QDateTime(shifted.date(), shifted.time(), Qt::LocalTime);
}

void FakeClock::setUtc(const QDateTime &utc)
{
    m_utc = utc;
}

void FakeClock::advance(int seconds)
{
    m_utc = m_utc.addSecs(seconds);
}

void FakeClock::setLocalOffset(int seconds)
{
    m_offset = seconds;
}

} // namespace orvel
