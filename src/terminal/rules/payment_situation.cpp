#include "terminal/rules/payment_situation.h"

#include <algorithm>

namespace orvalen::terminal::rules {

QDate clampedDate(int day, int month, int year) {
    const int last = QDate(year, month, 1).daysInMonth();
    return QDate(year, month, std::clamp(day, 1, last));
}

namespace {

bool receiptsAllowPassing(const PaymentFacts& facts, int dueDay, const PaidMonth& paid,
                          const LastDay& lastDay) {
    const QDate& b = facts.businessDate;
    const QDate previous = b.addMonths(-1);
    const QDate next = b.addMonths(1);
    const int u = lastDay();
    const int t = facts.toleranceDays;

    // A paid current month always admits. With 0 < ULTIMO_DIA < due day the receipt of the
    // next month counts as well (below), but a member who paid this month is paid up.
    if (paid(b.month(), b.year()))
        return true;
    if (u > 0 && u < dueDay)
        return paid(next.month(), next.year());

    if (b.day() > dueDay || b == facts.enrolled) {
        if (paid(next.month(), next.year()))
            return true;
        if (t <= 0)
            return false;
        const QDate limit = clampedDate(dueDay, b.month(), b.year()).addDays(t);
        if (b > limit)
            return false;
        return paid(previous.month(), previous.year());
    }

    if (facts.enrolled.isValid() && b < facts.enrolled)
        return true;
    if (paid(previous.month(), previous.year()))
        return true;
    if (t <= 0)
        return false;
    const int daysOfPrevious = QDate(previous.year(), previous.month(), 1).daysInMonth();
    const int day = daysOfPrevious < facts.dueDay ? daysOfPrevious : dueDay;
    const QDate limit = clampedDate(day, previous.month(), previous.year()).addDays(t);
    return b <= limit;
}

} // namespace

PaymentSituation paymentSituation(const PaymentFacts& facts, const PaidMonth& paid,
                                  const LastDay& lastDay) {
    PaymentSituation situation;
    const QDate& b = facts.businessDate;

    if (facts.locked.isValid() && facts.locked <= b) {
        situation.locked = true;
        situation.mayPass = false;
        return situation;
    }

    if (facts.transferEnd.isValid()) {
        situation.transferOn = b <= facts.transferEnd;
        situation.mayPass = situation.transferOn;
        return situation;
    }

    int dueDay = facts.dueDay;
    if (facts.fixedDueDay != 0 && facts.toleranceDays > 0)
        dueDay = facts.dueDay + facts.toleranceDays;

    if (facts.scholarship) {
        situation.scholarshipValid = !facts.scholarshipEnd.isValid() || b <= facts.scholarshipEnd;
        situation.mayPass = situation.scholarshipValid;
        return situation;
    }

    situation.mayPass = receiptsAllowPassing(facts, dueDay, paid, lastDay);
    return situation;
}

QString paymentRefusalText(const PaymentSituation& situation) {
    if (situation.locked)
        return QStringLiteral("Matrícula Trancada !!!");
    if (!situation.transferOn)
        return QStringLiteral("Fim de Repasse !!!");
    if (situation.scholarshipValid)
        return QStringLiteral("Sob Consulta !!!");
    return QStringLiteral("Fora Validade !!!");
}

} // namespace orvalen::terminal::rules
