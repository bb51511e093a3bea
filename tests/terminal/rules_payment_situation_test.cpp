#include "support/rule_dates.h"
#include "terminal/rules/payment_situation.h"

#include <QStringList>
#include <gtest/gtest.h>
#include <set>
#include <utility>
#include <vector>

namespace orvalen::terminal::rules {
namespace {

using test::d;
using test::rd;

struct Case {
    const char* name;
    const char* business;
    int dueDay;
    int tolerance;
    int fixedDueDay;
    int lastDay;
    std::vector<const char*> receipts; // "MM/YYYY"
    bool mayPass;
    const char* refusal = ""; // expected text when refused
    const char* enrolled = "01/01/2020";
    const char* locked = ""; // "?": filled with something that is no date
    const char* transfer = "";
    bool scholarship = false;
    const char* scholarshipEnd = "";
};

class PaymentSituationTest : public ::testing::TestWithParam<Case> {};

TEST_P(PaymentSituationTest, AnswersAndRefusalText) {
    const Case& c = GetParam();
    PaymentFacts facts;
    facts.businessDate = d(c.business);
    facts.dueDay = c.dueDay;
    facts.toleranceDays = c.tolerance;
    facts.fixedDueDay = c.fixedDueDay;
    facts.enrolled = d(c.enrolled);
    facts.locked = rd(c.locked);
    facts.transferEnd = rd(c.transfer);
    facts.scholarship = c.scholarship;
    facts.scholarshipEnd = rd(c.scholarshipEnd);
    std::set<std::pair<int, int>> paidMonths;
    for (const char* receipt : c.receipts) {
        const QString r = QString::fromLatin1(receipt);
        paidMonths.insert({r.left(2).toInt(), r.mid(3).toInt()});
    }
    const auto paid = [&](int month, int year) { return paidMonths.count({month, year}) > 0; };
    const PaymentSituation s = paymentSituation(facts, paid, [&] { return c.lastDay; });
    EXPECT_EQ(s.mayPass, c.mayPass);
    // Told to a listener, the answer is the same and the last check told carries it.
    std::vector<Check> told;
    const PaymentSituation explained = paymentSituation(
        facts, paid, [&] { return c.lastDay; }, [&](const Check& check) { told.push_back(check); });
    EXPECT_EQ(explained.mayPass, c.mayPass);
    ASSERT_FALSE(told.empty());
    EXPECT_EQ(told.back().verdict, c.mayPass ? Verdict::Passes : Verdict::Refuses);
    if (!c.mayPass) {
        EXPECT_EQ(paymentRefusalText(s), QString::fromUtf8(c.refusal));
    }
}

const char* const kSob = "Sob Consulta !!!";

INSTANTIATE_TEST_SUITE_P(
    Situations, PaymentSituationTest,
    ::testing::Values(
        // Due day 10, tolerance 5, on 15/03 and 16/03 of a common year.
        Case{"current_month_paid", "15/03/2021", 10, 5, 0, 0, {"03/2021"}, true},
        Case{"next_month_paid_ahead", "15/03/2021", 10, 5, 0, 0, {"04/2021"}, true},
        Case{"previous_month_within_tolerance", "15/03/2021", 10, 5, 0, 0, {"02/2021"}, true},
        Case{"previous_month_tolerance_over", "16/03/2021", 10, 5, 0, 0, {"02/2021"}, false, kSob},
        Case{"nothing_paid", "15/03/2021", 10, 5, 0, 0, {}, false, kSob},
        Case{
            "without_tolerance_after_due_day", "11/03/2021", 10, 0, 0, 0, {"02/2021"}, false, kSob},
        // Due day 20: up to the due day the previous month counts.
        Case{"due20_previous_paid_15th", "15/03/2021", 20, 5, 0, 0, {"02/2021"}, true},
        Case{"due20_previous_paid_2nd", "02/03/2021", 20, 5, 0, 0, {"02/2021"}, true},
        Case{"due20_tol5_unpaid_2nd", "02/03/2021", 20, 5, 0, 0, {"01/2021"}, false, kSob},
        Case{"due20_tol5_unpaid_15th", "15/03/2021", 20, 5, 0, 0, {}, false, kSob},
        Case{"due20_tol12_unpaid_2nd", "02/03/2021", 20, 12, 0, 0, {}, true},
        Case{"due20_tol12_unpaid_15th", "15/03/2021", 20, 12, 0, 0, {}, false, kSob},
        // Fixed due day: the tolerance raises the due day to 15.
        Case{"fixed_previous_paid", "15/03/2021", 10, 5, 1, 0, {"02/2021"}, true},
        Case{"fixed_unpaid_limit_20_02", "15/03/2021", 10, 5, 1, 0, {}, false, kSob},
        Case{
            "fixed_tolerance_counts_from_raised_day", "16/03/2021", 10, 5, 1, 0, {"02/2021"}, true},
        Case{"fixed_raised_past_month_end_is_clamped", "03/02/2021", 28, 5, 1, 0, {}, true},
        Case{"fixed_raised_past_month_end_over", "16/02/2021", 28, 5, 1, 0, {}, false, kSob},
        // ULTIMO_DIA before the due day: the next month's receipt counts, and a paid current
        // month still admits.
        Case{"last_day_current_paid", "15/03/2021", 10, 5, 0, 5, {"03/2021"}, true},
        Case{"last_day_current_paid_before_due", "08/03/2021", 10, 5, 0, 5, {"03/2021"}, true},
        Case{"last_day_next_paid", "08/03/2021", 10, 5, 0, 5, {"04/2021"}, true},
        Case{"last_day_only_previous", "08/03/2021", 10, 5, 0, 5, {"02/2021"}, false, kSob},
        Case{"last_day_not_before_due_day", "15/03/2021", 10, 5, 0, 12, {"03/2021"}, true},
        // Enrolment.
        Case{"enrolled_today_next_paid",
             "15/03/2021",
             20,
             0,
             0,
             0,
             {"04/2021"},
             true,
             "",
             "15/03/2021"},
        Case{"enrolled_today_nothing_paid",
             "15/03/2021",
             20,
             5,
             0,
             0,
             {},
             false,
             kSob,
             "15/03/2021"},
        Case{"enrolled_today_due_31_in_february",
             "15/02/2021",
             31,
             5,
             0,
             0,
             {"01/2021"},
             true,
             "",
             "15/02/2021"},
        Case{"enrolment_starts_later", "15/03/2021", 20, 0, 0, 0, {}, true, "", "20/03/2021"},
        // Locking, transfer, scholarship.
        Case{"locked_on_its_day",
             "01/03/2021",
             10,
             5,
             0,
             0,
             {"03/2021"},
             false,
             "Matrícula Trancada !!!",
             "01/01/2020",
             "01/03/2021"},
        Case{"locked_later",
             "28/02/2021",
             10,
             5,
             0,
             0,
             {"02/2021"},
             true,
             "",
             "01/01/2020",
             "01/03/2021"},
        Case{"locked_before_transfer",
             "15/03/2021",
             10,
             5,
             0,
             0,
             {},
             false,
             "Matrícula Trancada !!!",
             "01/01/2020",
             "01/03/2021",
             "31/03/2021"},
        Case{"transfer_last_day",
             "31/03/2021",
             10,
             5,
             0,
             0,
             {},
             true,
             "",
             "01/01/2020",
             "",
             "31/03/2021"},
        Case{"transfer_over",
             "01/04/2021",
             10,
             5,
             0,
             0,
             {"04/2021"},
             false,
             "Fim de Repasse !!!",
             "01/01/2020",
             "",
             "31/03/2021"},
        Case{"scholarship_over",
             "15/03/2021",
             10,
             5,
             0,
             0,
             {"03/2021"},
             false,
             "Fora Validade !!!",
             "01/01/2020",
             "",
             "",
             true,
             "14/03/2021"},
        Case{"scholarship_last_day",
             "15/03/2021",
             10,
             5,
             0,
             0,
             {},
             true,
             "",
             "01/01/2020",
             "",
             "",
             true,
             "15/03/2021"},
        Case{"scholarship_without_end",
             "15/03/2021",
             10,
             0,
             0,
             0,
             {},
             true,
             "",
             "01/01/2020",
             "",
             "",
             true,
             ""},
        // Filled with something that is no date: filled, and a filled one refuses.
        Case{"lock_of_unknown_day",
             "15/03/2021",
             10,
             5,
             0,
             0,
             {"03/2021"},
             false,
             "Matrícula Trancada !!!",
             "01/01/2020",
             "?"},
        Case{"transfer_end_of_unknown_day",
             "15/03/2021",
             10,
             5,
             0,
             0,
             {"03/2021"},
             false,
             "Fim de Repasse !!!",
             "01/01/2020",
             "",
             "?"},
        Case{"scholarship_end_of_unknown_day",
             "15/03/2021",
             10,
             5,
             0,
             0,
             {"03/2021"},
             false,
             "Fora Validade !!!",
             "01/01/2020",
             "",
             "",
             true,
             "?"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace orvalen::terminal::rules
