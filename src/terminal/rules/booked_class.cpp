#include "terminal/rules/booked_class.h"

#include <algorithm>
#include <tuple>

namespace orvalen::terminal::rules {

std::optional<Booking> firstBooking(const std::vector<Booking>& bookings) {
    if (bookings.empty())
        return std::nullopt;
    const auto key = [](const Booking& b) {
        const int start = b.hours.start.isValid() ? b.hours.start.msecsSinceStartOfDay() : 0;
        return std::tuple(start, b.classCode, b.activity);
    };
    return *std::min_element(bookings.begin(), bookings.end(),
                             [&](const Booking& a, const Booking& b) { return key(a) < key(b); });
}

QString bookedActivityCode(const Booking& booking) {
    return booking.activity.left(2);
}

bool bookedActivityAllowed(const std::vector<Booking>& bookings, const HoldsActivity& holds) {
    const std::optional<Booking> first = firstBooking(bookings);
    return !first || holds(bookedActivityCode(*first));
}

} // namespace orvalen::terminal::rules
