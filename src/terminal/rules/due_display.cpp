#include "terminal/rules/due_display.h"

#include "terminal/rules/payment_situation.h"

#include <algorithm>

namespace orvalen::terminal::rules {

QString shortDate(const QDate& date) {
    return date.toString(QStringLiteral("dd/MM/yyyy"));
}

QDate nextDueDate(const std::vector<PaidMonthRow>& receipts, int dueDay) {
    // The latest month by number, so that a month kept as "1" instead of "01" is not
    // ordered after "12" by its text.
    const auto valid = [](const PaidMonthRow& row) { return row.month >= 1 && row.month <= 12; };
    const PaidMonthRow* latest = nullptr;
    for (const auto& row : receipts) {
        if (!valid(row))
            continue;
        if (!latest || std::pair(row.year, row.month) > std::pair(latest->year, latest->month))
            latest = &row;
    }
    if (!latest)
        return {};
    const QDate following = QDate(latest->year, latest->month, 1).addMonths(1);
    return clampedDate(dueDay, following.month(), following.year());
}

DueDisplay dueDisplay(const DueDisplayFacts& facts) {
    if (facts.showDueDay)
        return {true, QString::number(facts.dueDay)};
    if (facts.scholarship) {
        if (!facts.scholarshipEnd.isValid())
            return {false, QString::number(facts.dueDay)};
        if (!facts.transferEnd.isValid())
            return {false, shortDate(facts.scholarshipEnd)};
        return {false, shortDate(facts.transferEnd)};
    }
    if (facts.transferEnd.isValid())
        return {false, shortDate(facts.transferEnd)};
    const QDate next = nextDueDate(facts.receipts, facts.dueDay);
    return {false, shortDate(next.isValid() ? next : facts.businessDate)};
}

} // namespace orvalen::terminal::rules
