#include "terminal/rules/assessment.h"

namespace orvalen::terminal::rules {

namespace {
// An empty enrolment date stands in as the club database's zero date.
const QDate kZeroDate(1899, 12, 30);
} // namespace

AssessmentState assessmentState(const AssessmentFacts& facts) {
    AssessmentState state;
    if (facts.assessed.isValid()) {
        const QDate due = facts.assessed.addMonths(facts.validityMonths);
        state.expired = facts.businessDate > due;
    } else {
        state.expired = true;
    }
    if (!state.expired)
        return state;
    const QDate reference = facts.assessed.isValid()
                                ? facts.assessed
                                : (facts.enrolled.isValid() ? facts.enrolled : kZeroDate);
    state.blocks = facts.businessDate > reference.addDays(facts.toleranceDays);
    return state;
}

bool assessmentBlocksEntrance(const QString& setting, bool medicalFlag, bool medicalOn,
                              bool functionalFlag, bool functionalOn) {
    const bool medical = medicalFlag && medicalOn;
    const bool functional = functionalFlag && functionalOn;
    if (setting == QStringLiteral("TODAS"))
        return medical || functional;
    if (setting == QStringLiteral("MÉDICA"))
        return medical;
    if (setting == QStringLiteral("FUNCIONAL"))
        return functional;
    return false;
}

} // namespace orvalen::terminal::rules
