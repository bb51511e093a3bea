#include "terminal/rules/access_point_activities.h"

#include <gtest/gtest.h>

namespace orvalen::terminal::rules {
namespace {

QString s(const char* text) {
    return QString::fromLatin1(text);
}

struct Case {
    const char* name;
    QStringList accessPoint;
    QStringList studentActivities;
    bool admitted;
    QStringList asked;
};

class AccessPointTest : public ::testing::TestWithParam<Case> {};

TEST_P(AccessPointTest, WalksCodesUntilTheFirstHit) {
    const Case& c = GetParam();
    QStringList asked;
    const bool admitted = admittedAtAccessPoint(c.accessPoint, [&](const QString& code) {
        asked << code;
        return c.studentActivities.contains(code);
    });
    EXPECT_EQ(admitted, c.admitted);
    EXPECT_EQ(asked, c.asked);
}

INSTANTIATE_TEST_SUITE_P(
    Points, AccessPointTest,
    ::testing::Values(
        Case{"second_code_held", {s("01"), s(""), s("07")}, {s("07")}, true, {s("01"), s("07")}},
        Case{"none_held", {s("01"), s(""), s("07")}, {s("03")}, false, {s("01"), s("07")}},
        Case{"stops_at_first_hit", {s("01"), s("07")}, {s("01"), s("07")}, true, {s("01")}},
        Case{"empty_list", {s(""), s("")}, {s("01")}, false, {}}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace orvalen::terminal::rules
