#pragma once

#include <QString>
#include <QVariant>
#include <functional>
#include <utility>
#include <vector>

namespace orvalen::terminal::rules {

// One value a check used, under a stable name ("due_day", "limit"): a QDate, QTime, int,
// double, bool or QString as the terminal read it.
struct Fact {
    QString name;
    QVariant value;
};

// What a check made of its facts: a step that only looked something up, one that let the
// person go on, or one that turned the person away.
enum class Verdict { Noted, Passes, Refuses };

// One check of a decision, under a stable name ("payment.receipt", "class.slot").
struct Check {
    QString name;
    Verdict verdict = Verdict::Noted;
    std::vector<Fact> facts;
};

// Where a rule tells the checks it made, in the order it made them; the terminal gives an
// empty one and the support tool's explanation a listening one. Telling never changes an
// answer.
using Reasons = std::function<void(const Check&)>;

inline void tell(const Reasons& reasons, const char* name, Verdict verdict,
                 std::vector<Fact> facts = {}) {
    if (reasons) {
        reasons(Check{QString::fromLatin1(name), verdict, std::move(facts)});
    }
}

inline Verdict verdictOf(bool passes) {
    return passes ? Verdict::Passes : Verdict::Refuses;
}

} // namespace orvalen::terminal::rules
