#include "terminal/rules/class_window.h"

#include <cmath>

namespace orvalen::terminal::rules {

namespace {
constexpr int kMinutesPerDay = 24 * 60;
constexpr qint64 kMsecsPerMinute = 60 * 1000;

qint64 msecsOfDay(const QTime& time) {
    return time.isValid() ? time.msecsSinceStartOfDay() : 0;
}
} // namespace

int toleranceMinutes(double minutes) {
    if (!std::isfinite(minutes) || minutes <= 0)
        return 0;
    if (minutes >= kMinutesPerDay)
        return kMinutesPerDay - 1;
    return static_cast<int>(std::trunc(minutes));
}

bool withinClassWindow(const ClassHours& hours, const QTime& now) {
    const qint64 opening =
        msecsOfDay(hours.start) - toleranceMinutes(hours.entryToleranceMinutes) * kMsecsPerMinute;
    const qint64 closing =
        msecsOfDay(hours.end) + toleranceMinutes(hours.exitToleranceMinutes) * kMsecsPerMinute;
    const qint64 at = msecsOfDay(now);
    return opening <= at && at <= closing;
}

} // namespace orvalen::terminal::rules
