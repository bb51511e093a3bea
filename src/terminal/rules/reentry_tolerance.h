#pragma once

#include "terminal/rules/reasons.h"

#include <QString>
#include <QTime>
#include <vector>

namespace orvalen::terminal::rules {

// One of today's access-log rows of the student.
struct DayAccess {
    QTime time;     // HORA
    QString status; // STATUS; "L" is a granted access
};

// True when the student has no granted access today, or the latest one is at least
// toleranceSeconds old. Refused accesses never count. The moment does not wrap past
// midnight: a grant late in the evening holds until the day ends.
bool reentryAllowed(const std::vector<DayAccess>& today, int toleranceSeconds, const QTime& now,
                    const Reasons& reasons = {});

} // namespace orvalen::terminal::rules
