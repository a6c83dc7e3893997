// Calendar time to the second, in UTC and local time.
#pragma once

#include <QDateTime>

namespace orvel {

class Clock
{
public:
    virtual ~Clock() = default;
    virtual QDateTime utcNow() const = 0;
    virtual QDateTime localNow() const = 0;
};

class SystemClock : public Clock
{
public:
    QDateTime utcNow() const override;
    QDateTime localNow() const override;
};

} // namespace orvel
