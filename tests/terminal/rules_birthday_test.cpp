#include "support/rule_dates.h"
#include "terminal/rules/birthday.h"

#include <gtest/gtest.h>

namespace orvalen::terminal::rules {
namespace {

using test::d;

TEST(BirthdayTest, DayAndMonthMatchYearIgnored) {
    const struct {
        const char* birth;
        const char* business;
        bool greeted;
    } cases[] = {
        {"05/04/1990", "05/04/2021", true},  {"05/04/1990", "04/04/2021", false},
        {"05/04/1990", "05/05/2021", false}, {"29/02/2000", "28/02/2021", false},
        {"29/02/2000", "01/03/2021", false}, {"29/02/2000", "29/02/2024", true},
        {"", "30/12/2021", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(isBirthday(d(c.birth), d(c.business)), c.greeted) << c.birth << " " << c.business;
}

} // namespace
} // namespace orvalen::terminal::rules
