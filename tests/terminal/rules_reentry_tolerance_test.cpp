#include "support/rule_dates.h"
#include "terminal/rules/reentry_tolerance.h"

#include <gtest/gtest.h>

namespace orvalen::terminal::rules {
namespace {

using test::d;
using test::t;

DayAccess granted(const char* at) {
    return {t(at), QStringLiteral("L")};
}

DayAccess refused(const char* at, const char* status = "S") {
    return {t(at), QString::fromLatin1(status)};
}

DayAccess grantedAtNoTime() {
    return {QTime(), QStringLiteral("L"), true};
}

struct Case {
    const char* name;
    std::vector<DayAccess> today;
    int tolerance;
    const char* nowDay; // the club's wall clock: dd/MM/yyyy and HH:mm:ss
    const char* now;
    bool allowed;
};

class ReentryTest : public ::testing::TestWithParam<Case> {};

TEST_P(ReentryTest, LatestGrantHoldsForTheTolerance) {
    const Case& c = GetParam();
    const QDateTime now(d(c.nowDay), t(c.now), Qt::UTC);
    EXPECT_EQ(reentryAllowed(c.today, c.tolerance, now), c.allowed);
}

INSTANTIATE_TEST_SUITE_P(
    Reentries, ReentryTest,
    ::testing::Values(
        Case{"no_access_today", {}, 120, "15/03/2021", "10:00:00", true},
        Case{"second_before", {granted("10:00:00")}, 120, "15/03/2021", "10:01:59", false},
        Case{"at_the_moment", {granted("10:00:00")}, 120, "15/03/2021", "10:02:00", true},
        Case{"refusals_never_count",
             {refused("10:01:00"), refused("10:01:30", "H")},
             120,
             "15/03/2021",
             "10:01:59",
             true},
        Case{"latest_grant_whatever_row_order",
             {granted("10:00:00"), granted("08:00:00")},
             120,
             "15/03/2021",
             "10:01:00",
             false},
        Case{"earlier_grant_long_ago",
             {granted("08:00:00"), refused("10:00:00")},
             120,
             "15/03/2021",
             "10:01:00",
             true},
        Case{"late_grant_before_midnight",
             {granted("23:59:00")},
             120,
             "15/03/2021",
             "23:59:59",
             false},
        // The business day still open after midnight: 23:50 was forty minutes ago at 00:30.
        Case{"grant_before_midnight_long_past",
             {granted("23:50:00")},
             120,
             "16/03/2021",
             "00:30:00",
             true},
        Case{"grant_before_midnight_within_tolerance",
             {granted("23:59:30")},
             120,
             "16/03/2021",
             "00:01:00",
             false},
        Case{"grant_after_midnight_is_the_latest",
             {granted("23:50:00"), granted("00:29:00")},
             120,
             "16/03/2021",
             "00:30:00",
             false},
        // A grant whose time is no time of day counts as just made.
        Case{"grant_of_unknown_time", {grantedAtNoTime()}, 120, "15/03/2021", "10:00:00", false}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace orvalen::terminal::rules
