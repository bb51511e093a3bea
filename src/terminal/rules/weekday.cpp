#include "terminal/rules/weekday.h"

namespace orvalen::terminal::rules {

bool runsOn(const DayFlags& flags, const QDate& date) {
    if (!date.isValid())
        return false;
    return flags[static_cast<std::size_t>(date.dayOfWeek() - 1)];
}

} // namespace orvalen::terminal::rules
