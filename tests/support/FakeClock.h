// A clock the tests set by hand; local time is UTC plus a fixed offset.
#pragma once

#include "platform/Clock.h"

namespace orvel {

class FakeClock : public Clock
{
public:
    explicit FakeClock(QDateTime utc = QDateTime(QDate(2024, 5, 1), QTime(10, 0), Qt::UTC),
                       int localOffsetSeconds = 7200);
    QDateTime utcNow() const override;
    QDateTime localNow() const override;
    void setUtc(const QDateTime &utc);
    void advance(int seconds);
    void setLocalOffset(int seconds);

private:
    QDateTime m_utc;
    int m_offset;
};

} // namespace orvel
