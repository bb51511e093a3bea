#include "terminal/rules/class_window.h"

#include <algorithm>
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

namespace {

qint64 openingOf(const ClassHours& hours) {
    return msecsOfDay(hours.start) -
           toleranceMinutes(hours.entryToleranceMinutes) * kMsecsPerMinute;
}

qint64 closingOf(const ClassHours& hours) {
    return msecsOfDay(hours.end) + toleranceMinutes(hours.exitToleranceMinutes) * kMsecsPerMinute;
}

} // namespace

ClassWindow classWindow(const ClassHours& hours) {
    constexpr qint64 kLastMsec = qint64(kMinutesPerDay) * kMsecsPerMinute - 1;
    const auto asTime = [&](qint64 msecs) {
        return QTime::fromMSecsSinceStartOfDay(
            static_cast<int>(std::clamp<qint64>(msecs, 0, kLastMsec)));
    };
    return {asTime(openingOf(hours)), asTime(closingOf(hours))};
}

bool withinClassWindow(const ClassHours& hours, const QTime& now) {
    if (hours.unreadable)
        return false;
    const qint64 at = msecsOfDay(now);
    return openingOf(hours) <= at && at <= closingOf(hours);
}

} // namespace orvalen::terminal::rules
