#include "demo_club/club_plan.h"
#include "demo_club/payment_patterns.h"

#include <algorithm>
#include <functional>
#include <gtest/gtest.h>

using namespace orvalen::demo;

namespace {

bool paid(const DemoMember& m, const QDate& month) {
    return std::any_of(m.receipts.begin(), m.receipts.end(), [&](const Receipt& r) {
        return r.month == month.month() && r.year == month.year();
    });
}

// The due date that last came round: this month's when its day has passed, else last month's
// (on the month's last day when the month is shorter).
QDate lastDueDate(const DemoMember& m, const QDate& today) {
    if (today.day() > m.dueDay) {
        return QDate(today.year(), today.month(), m.dueDay);
    }
    const QDate previous = today.addMonths(-1);
    return QDate(previous.year(), previous.month(), std::min(m.dueDay, previous.daysInMonth()));
}

// Every day of more than a year, February of a leap year and month ends included: the
// patterns must hold whatever day the demo club is created on.
TEST(PaymentPatterns, HoldOnEveryBusinessDate) {
    using Check = std::function<bool(const DemoMember&, const QDate&)>;
    const struct {
        Payment payment;
        const char* name;
        Check holds;
    } cases[] = {
        {Payment::UpToDate, "up to date",
         [](const DemoMember& m, const QDate& b) { return paid(m, b); }},
        {Payment::WithinTolerance, "within tolerance",
         [](const DemoMember& m, const QDate& b) {
             const qint64 late = lastDueDate(m, b).daysTo(b);
             const bool previousPaidWhenDueThisMonth =
                 b.day() <= m.dueDay || paid(m, b.addMonths(-1));
             return !paid(m, b) && !paid(m, b.addMonths(1)) && late >= 1 &&
                    late <= kToleranceDays && previousPaidWhenDueThisMonth;
         }},
        {Payment::Overdue, "overdue",
         [](const DemoMember& m, const QDate& b) {
             return !paid(m, b.addMonths(-1)) && !paid(m, b) && !paid(m, b.addMonths(1)) &&
                    lastDueDate(m, b).daysTo(b) > kToleranceDays && b.day() <= m.dueDay;
         }},
        {Payment::PaidAhead, "paid ahead",
         [](const DemoMember& m, const QDate& b) {
             return !paid(m, b) && paid(m, b.addMonths(1)) &&
                    (b.day() > m.dueDay || m.registered == b);
         }},
        {Payment::None, "none",
         [](const DemoMember& m, const QDate&) { return m.receipts.isEmpty(); }},
    };
    for (const auto& c : cases) {
        for (QDate day(2027, 1, 1); day <= QDate(2028, 3, 31); day = day.addDays(1)) {
            DemoMember member;
            member.registered = QDate(2025, 1, 10);
            member.dueDay = 20;
            applyPayment(member, c.payment, day);
            EXPECT_TRUE(c.holds(member, day))
                << c.name << " on " << day.toString(Qt::ISODate).toStdString();
            EXPECT_LE(member.registered, day) << c.name;
            EXPECT_TRUE(member.dueDay >= 1 && member.dueDay <= 31) << c.name;
        }
    }
}

} // namespace
