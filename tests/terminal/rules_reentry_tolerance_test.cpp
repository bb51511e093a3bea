#include "support/rule_dates.h"
#include "terminal/rules/reentry_tolerance.h"

#include <gtest/gtest.h>

namespace orvalen::terminal::rules {
namespace {

using test::t;

DayAccess granted(const char* at) {
    return {t(at), QStringLiteral("L")};
}

DayAccess refused(const char* at, const char* status = "S") {
    return {t(at), QString::fromLatin1(status)};
}

struct Case {
    const char* name;
    std::vector<DayAccess> today;
    int tolerance;
    const char* now;
    bool allowed;
};

class ReentryTest : public ::testing::TestWithParam<Case> {};

TEST_P(ReentryTest, LatestGrantHoldsForTheTolerance) {
    const Case& c = GetParam();
    EXPECT_EQ(reentryAllowed(c.today, c.tolerance, t(c.now)), c.allowed);
}

INSTANTIATE_TEST_SUITE_P(
    Reentries, ReentryTest,
    ::testing::Values(
        Case{"no_access_today", {}, 120, "10:00:00", true},
        Case{"second_before", {granted("10:00:00")}, 120, "10:01:59", false},
        Case{"at_the_moment", {granted("10:00:00")}, 120, "10:02:00", true},
        Case{"refusals_never_count",
             {refused("10:01:00"), refused("10:01:30", "H")},
             120,
             "10:01:59",
             true},
        Case{"latest_grant_whatever_row_order",
             {granted("10:00:00"), granted("08:00:00")},
             120,
             "10:01:00",
             false},
        Case{"earlier_grant_long_ago",
             {granted("08:00:00"), refused("10:00:00")},
             120,
             "10:01:00",
             true},
        Case{"late_grant_holds_to_day_end", {granted("23:59:00")}, 120, "23:59:59", false}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace orvalen::terminal::rules
