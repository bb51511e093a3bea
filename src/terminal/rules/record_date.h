#pragma once

#include <QDate>
#include <QString>
#include <QVariant>

namespace orvalen::terminal::rules {

// A date of a person's record as a rule takes it: empty, a day, or filled with something
// that is not a date. The last counts as filled wherever a filled date refuses (locked,
// left, dismissed, an end or an assessment of unknown day): it never admits.
struct RecordDate {
    QDate date;
    bool unreadable = false;

    RecordDate() = default;
    RecordDate(const QDate& day) : date(day) {} // NOLINT: an invalid day is an empty date
    static RecordDate notADate() {
        RecordDate filled;
        filled.unreadable = true;
        return filled;
    }

    bool filled() const { return unreadable || date.isValid(); }
    // As the explanation shows it: the day, or the word "unreadable".
    QVariant told() const {
        return unreadable ? QVariant(QStringLiteral("unreadable")) : QVariant(date);
    }
};

} // namespace orvalen::terminal::rules
