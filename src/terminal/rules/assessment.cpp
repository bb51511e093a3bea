#include "terminal/rules/assessment.h"

namespace orvalen::terminal::rules {

namespace {
// An empty enrolment date stands in as the club database's zero date.
const QDate kZeroDate(1899, 12, 30);
} // namespace

AssessmentState assessmentState(const AssessmentFacts& facts, const Reasons& reasons) {
    AssessmentState state;
    QDate due;
    const QDate& assessed = facts.assessed.date;
    if (assessed.isValid()) {
        due = assessed.addMonths(facts.validityMonths);
        state.expired = facts.businessDate > due;
    } else {
        state.expired = true;
    }
    std::vector<Fact> told{{QStringLiteral("assessed"), facts.assessed.told()},
                           {QStringLiteral("validity_months"), facts.validityMonths},
                           {QStringLiteral("valid_until"), due},
                           {QStringLiteral("expired"), state.expired}};
    if (state.expired) {
        const QDate reference =
            assessed.isValid() ? assessed : (facts.enrolled.isValid() ? facts.enrolled : kZeroDate);
        const QDate blocksAfter = reference.addDays(facts.toleranceDays);
        // An assessment of unknown day blocks at once: no tolerance can be counted from it.
        state.blocks = facts.assessed.unreadable || facts.businessDate > blocksAfter;
        told.push_back({QStringLiteral("tolerance_days"), facts.toleranceDays});
        told.push_back({QStringLiteral("blocks_after"), blocksAfter});
        told.push_back({QStringLiteral("block_flag"), state.blocks});
    }
    tell(reasons, facts.check, Verdict::Noted, std::move(told));
    return state;
}

namespace {

bool blocksBySetting(const QString& setting, bool medical, bool functional) {
    if (setting == QStringLiteral("TODAS"))
        return medical || functional;
    if (setting == QStringLiteral("MÉDICA"))
        return medical;
    if (setting == QStringLiteral("FUNCIONAL"))
        return functional;
    return false;
}

} // namespace

bool assessmentBlocksEntrance(const QString& setting, bool medicalFlag, bool medicalOn,
                              bool functionalFlag, bool functionalOn, const Reasons& reasons) {
    const bool medical = medicalFlag && medicalOn;
    const bool functional = functionalFlag && functionalOn;
    const bool blocks = blocksBySetting(setting, medical, functional);
    tell(reasons, "assessment.block", verdictOf(!blocks),
         {{QStringLiteral("block_setting"), setting},
          {QStringLiteral("medical_blocks"), medical},
          {QStringLiteral("functional_blocks"), functional}});
    return blocks;
}

} // namespace orvalen::terminal::rules
