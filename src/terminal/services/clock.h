#pragma once

#include <QDate>
#include <QDateTime>

namespace orvalen::terminal {

// Where the screen reads the time of day and the calendar date.
class Clock {
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
    QDate today() const { return now().date(); }
};

// The machine's clock.
class SystemClock : public Clock {
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};

} // namespace orvalen::terminal
