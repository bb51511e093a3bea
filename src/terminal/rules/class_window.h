#pragma once

#include <QTime>

namespace orvalen::terminal::rules {

// The hours of one class and the minutes allowed before its start and after its end. An
// empty time is an invalid QTime and counts as 0:00; a class whose start or end is stored
// as something that is no time of day has no window at all.
struct ClassHours {
    QTime start;
    QTime end;
    double entryToleranceMinutes = 0;
    double exitToleranceMinutes = 0;
    bool unreadable = false;
};

// A tolerance as whole minutes under a day: fractions are cut to the whole minute,
// negative values count as none, a day or more stops one minute short of it.
int toleranceMinutes(double minutes);

// The first and the last moment of a class's window, as times of the day.
struct ClassWindow {
    QTime opens;
    QTime closes;
};
ClassWindow classWindow(const ClassHours& hours);

// Whether now lies in [start - entry tolerance, end + exit tolerance], both ends inside.
// The window does not wrap around midnight: a tolerance reaching before 0:00 opens it at
// the start of the day, one reaching past midnight keeps it open to the day's end.
bool withinClassWindow(const ClassHours& hours, const QTime& now);

} // namespace orvalen::terminal::rules
