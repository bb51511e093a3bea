#include "support/rule_dates.h"
#include "terminal/rules/due_display.h"

#include <gtest/gtest.h>

namespace orvalen::terminal::rules {
namespace {

using test::d;

struct Case {
    const char* name;
    std::vector<PaidMonthRow> receipts;
    int dueDay;
    const char* expected;
    bool showDueDay = false;
    bool scholarship = false;
    const char* scholarshipEnd = "";
    const char* transfer = "";
};

class DueDisplayTest : public ::testing::TestWithParam<Case> {};

TEST_P(DueDisplayTest, ShowsDueDayOrDate) {
    const Case& c = GetParam();
    DueDisplayFacts facts;
    facts.showDueDay = c.showDueDay;
    facts.dueDay = c.dueDay;
    facts.scholarship = c.scholarship;
    facts.scholarshipEnd = d(c.scholarshipEnd);
    facts.transferEnd = d(c.transfer);
    facts.receipts = c.receipts;
    facts.businessDate = d("15/03/2021");
    const DueDisplay shown = dueDisplay(facts);
    EXPECT_EQ(shown.dueDayField, c.showDueDay);
    EXPECT_EQ(shown.text, QString::fromLatin1(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Displays, DueDisplayTest,
    ::testing::Values(
        Case{"due_day_field", {{1, 2021}}, 10, "10", true},
        Case{"day_31_after_january_is_end_of_february", {{11, 2020}, {1, 2021}}, 31, "28/02/2021"},
        Case{"day_31_in_leap_february", {{1, 2020}}, 31, "29/02/2020"},
        Case{"december_gives_january", {{12, 2020}}, 10, "10/01/2021"},
        Case{"latest_month_whatever_the_row_order",
             {{12, 2020}, {2, 2021}, {1, 2021}},
             5,
             "05/03/2021"},
        Case{"no_receipt_shows_business_date", {}, 10, "15/03/2021"},
        Case{"transfer_date", {{1, 2021}}, 10, "31/03/2021", false, false, "", "31/03/2021"},
        Case{"scholarship_without_end_shows_day", {}, 7, "7", false, true, ""},
        Case{"scholarship_end", {}, 7, "30/06/2021", false, true, "30/06/2021"},
        Case{"scholarship_with_transfer",
             {},
             7,
             "31/03/2021",
             false,
             true,
             "30/06/2021",
             "31/03/2021"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace orvalen::terminal::rules
