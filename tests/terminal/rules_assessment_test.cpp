#include "support/rule_dates.h"
#include "terminal/rules/assessment.h"

#include <gtest/gtest.h>

namespace orvalen::terminal::rules {
namespace {

using test::d;
using test::rd;

struct ExpiryCase {
    const char* name;
    const char* assessed;
    const char* enrolled;
    int months;
    int tolerance;
    const char* business;
    bool expired;
    bool blocks;
};

class AssessmentExpiryTest : public ::testing::TestWithParam<ExpiryCase> {};

TEST_P(AssessmentExpiryTest, ExpiryAndBlock) {
    const ExpiryCase& c = GetParam();
    const AssessmentState state =
        assessmentState({rd(c.assessed), d(c.enrolled), c.months, c.tolerance, d(c.business)});
    EXPECT_EQ(state.expired, c.expired);
    EXPECT_EQ(state.blocks, c.blocks);
}

INSTANTIATE_TEST_SUITE_P(
    Expiries, AssessmentExpiryTest,
    ::testing::Values(ExpiryCase{"valid_on_due_date", "15/03/2020", "01/01/2019", 12, 30,
                                 "15/03/2021", false, false},
                      ExpiryCase{"expired_day_after", "15/03/2020", "01/01/2019", 12, 30,
                                 "16/03/2021", true, true},
                      ExpiryCase{"month_end_clamped_valid", "31/01/2021", "01/01/2019", 1, 0,
                                 "28/02/2021", false, false},
                      ExpiryCase{"month_end_clamped_expired", "31/01/2021", "01/01/2019", 1, 0,
                                 "01/03/2021", true, true},
                      ExpiryCase{"tolerance_longer_than_validity", "15/03/2021", "01/01/2019", 1,
                                 60, "16/04/2021", true, false},
                      ExpiryCase{"none_within_enrolment_tolerance", "", "01/06/2021", 12, 15,
                                 "16/06/2021", true, false},
                      ExpiryCase{"none_after_enrolment_tolerance", "", "01/06/2021", 12, 15,
                                 "17/06/2021", true, true},
                      ExpiryCase{"none_and_no_enrolment", "", "", 12, 15, "17/06/2021", true, true},
                      // Filled with something that is no date: no tolerance can run from it.
                      ExpiryCase{"no_date_blocks_at_once", "?", "01/06/2021", 12, 15, "16/06/2021",
                                 true, true}),
    [](const auto& info) { return std::string(info.param.name); });

struct BlockCase {
    const char* name;
    const char* setting;
    bool medicalFlag;
    bool medicalOn;
    bool functionalFlag;
    bool functionalOn;
    bool blocks;
};

class AssessmentBlockTest : public ::testing::TestWithParam<BlockCase> {};

TEST_P(AssessmentBlockTest, SettingWordsCompareExactly) {
    const BlockCase& c = GetParam();
    EXPECT_EQ(assessmentBlocksEntrance(QString::fromUtf8(c.setting), c.medicalFlag, c.medicalOn,
                                       c.functionalFlag, c.functionalOn),
              c.blocks);
}

INSTANTIATE_TEST_SUITE_P(
    Blocks, AssessmentBlockTest,
    ::testing::Values(BlockCase{"nenhuma", "NENHUMA", true, true, true, true, false},
                      BlockCase{"medica_only_functional", "MÉDICA", false, true, true, true, false},
                      BlockCase{"medica_flag", "MÉDICA", true, true, false, true, true},
                      BlockCase{"medica_switch_off", "MÉDICA", true, false, false, true, false},
                      BlockCase{"todas_functional", "TODAS", false, true, true, true, true},
                      BlockCase{"todas_medical", "TODAS", true, true, false, false, true},
                      BlockCase{"todas_switches_off", "TODAS", true, false, true, false, false},
                      BlockCase{"funcional", "FUNCIONAL", false, true, true, true, true},
                      BlockCase{"mixed_case_never", "Médica", true, true, true, true, false},
                      BlockCase{"unaccented_never", "MEDICA", true, true, true, true, false},
                      BlockCase{"empty_never", "", true, true, true, true, false}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace orvalen::terminal::rules
