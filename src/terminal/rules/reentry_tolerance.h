#pragma once

#include "terminal/rules/reasons.h"

#include <QDateTime>
#include <QString>
#include <QTime>
#include <vector>

namespace orvalen::terminal::rules {

// One of the business day's access-log rows of the student. The log keeps only the time
// of day of a grant (HORA); the day it fell on is not stored.
struct DayAccess {
    QTime time;              // HORA; empty counts as 0:00
    QString status;          // STATUS; "L" is a granted access
    bool unreadable = false; // HORA is no time of day: the grant counts as just made
};

// True when the student has no granted access on the business day, or the latest one is
// at least toleranceSeconds old. Refused accesses never count. `now` is the club's wall
// clock with its date, so a grant late in the evening is compared with a moment after
// midnight across the day's end: each grant is taken as the last moment at or before now
// with its time of day (a business date left open over midnight keeps yesterday's grants).
bool reentryAllowed(const std::vector<DayAccess>& today, int toleranceSeconds, const QDateTime& now,
                    const Reasons& reasons = {});

} // namespace orvalen::terminal::rules
