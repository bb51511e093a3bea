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

bool bookedActivityAllowed(const std::vector<Booking>& bookings, const HoldsActivity& holds,
                           const Reasons& reasons) {
    const std::optional<Booking> first = firstBooking(bookings);
    if (!first) {
        tell(reasons, "booking.none", Verdict::Noted);
        return true;
    }
    const bool allowed = holds(bookedActivityCode(*first));
    tell(reasons, "booking.activity", verdictOf(allowed),
         {{QStringLiteral("class"), first->classCode},
          {QStringLiteral("activity"), first->activity},
          {QStringLiteral("holds_activity"), allowed}});
    return allowed;
}

bool bookedClassInHours(const std::vector<Booking>& bookings, const BookedClassNow& inHours,
                        const Reasons& reasons) {
    const std::optional<Booking> first = firstBooking(bookings);
    if (!first) {
        tell(reasons, "booking.window", Verdict::Refuses, {{QStringLiteral("class"), QString()}});
        return false;
    }
    const bool inside = inHours(first->hours);
    const ClassWindow window = classWindow(first->hours);
    tell(reasons, "booking.window", verdictOf(inside),
         {{QStringLiteral("class"), first->classCode},
          {QStringLiteral("opens"), window.opens},
          {QStringLiteral("closes"), window.closes}});
    return inside;
}

} // namespace orvalen::terminal::rules
