#include "terminal/rules/payment_situation.h"

#include <algorithm>

namespace orvalen::terminal::rules {

QDate clampedDate(int day, int month, int year) {
    const int last = QDate(year, month, 1).daysInMonth();
    return QDate(year, month, std::clamp(day, 1, last));
}

namespace {

// The tolerance limit the business date is compared with.
bool withinLimit(const QDate& businessDate, const QDate& limit, int toleranceDays,
                 const Reasons& reasons) {
    const bool within = businessDate <= limit;
    tell(reasons, "payment.limit", Verdict::Noted,
         {{QStringLiteral("limit"), limit},
          {QStringLiteral("tolerance_days"), toleranceDays},
          {QStringLiteral("within"), within}});
    return within;
}

bool receiptsAllowPassing(const PaymentFacts& facts, int dueDay, const PaidMonth& lookUp,
                          const LastDay& lastDay, const Reasons& reasons) {
    const QDate& b = facts.businessDate;
    const QDate previous = b.addMonths(-1);
    const QDate next = b.addMonths(1);
    const auto paid = [&](const QDate& month) {
        const bool found = lookUp(month.month(), month.year());
        tell(reasons, "payment.receipt", Verdict::Noted,
             {{QStringLiteral("month"), month.toString(QStringLiteral("MM/yyyy"))},
              {QStringLiteral("found"), found}});
        return found;
    };
    const int u = lastDay();
    const int t = facts.toleranceDays;

    // A paid current month always admits. With 0 < ULTIMO_DIA < due day the receipt of the
    // next month counts as well (below), but a member who paid this month is paid up.
    if (paid(b))
        return true;
    if (u > 0 && u < dueDay) {
        tell(reasons, "payment.last_day", Verdict::Noted,
             {{QStringLiteral("last_day"), u}, {QStringLiteral("due_day"), dueDay}});
        return paid(next);
    }

    if (b.day() > dueDay || b == facts.enrolled) {
        if (paid(next))
            return true;
        if (t <= 0)
            return false;
        const QDate limit = clampedDate(dueDay, b.month(), b.year()).addDays(t);
        if (!withinLimit(b, limit, t, reasons))
            return false;
        return paid(previous);
    }

    if (facts.enrolled.isValid() && b < facts.enrolled) {
        tell(reasons, "payment.not_yet_enrolled", Verdict::Noted,
             {{QStringLiteral("enrolled"), facts.enrolled}});
        return true;
    }
    if (paid(previous))
        return true;
    if (t <= 0)
        return false;
    const int daysOfPrevious = QDate(previous.year(), previous.month(), 1).daysInMonth();
    const int day = daysOfPrevious < facts.dueDay ? daysOfPrevious : dueDay;
    const QDate limit = clampedDate(day, previous.month(), previous.year()).addDays(t);
    return withinLimit(b, limit, t, reasons);
}

} // namespace

PaymentSituation paymentSituation(const PaymentFacts& facts, const PaidMonth& paid,
                                  const LastDay& lastDay, const Reasons& reasons) {
    PaymentSituation situation;
    const QDate& b = facts.businessDate;

    situation.locked = facts.locked.unreadable || (facts.locked.filled() && facts.locked.date <= b);
    tell(reasons, "payment.locked", verdictOf(!situation.locked),
         {{QStringLiteral("locked_since"), facts.locked.told()}});
    if (situation.locked) {
        situation.mayPass = false;
        return situation;
    }

    if (facts.transferEnd.filled()) {
        situation.transferOn = !facts.transferEnd.unreadable && b <= facts.transferEnd.date;
        situation.mayPass = situation.transferOn;
        tell(reasons, "payment.transfer", verdictOf(situation.transferOn),
             {{QStringLiteral("transfer_end"), facts.transferEnd.told()}});
        return situation;
    }

    int dueDay = facts.dueDay;
    const bool toleranceAdded = facts.fixedDueDay != 0 && facts.toleranceDays > 0;
    if (toleranceAdded)
        dueDay = facts.dueDay + facts.toleranceDays;

    if (facts.scholarship) {
        situation.scholarshipValid =
            !facts.scholarshipEnd.filled() ||
            (!facts.scholarshipEnd.unreadable && b <= facts.scholarshipEnd.date);
        situation.mayPass = situation.scholarshipValid;
        tell(reasons, "payment.scholarship", verdictOf(situation.scholarshipValid),
             {{QStringLiteral("scholarship_end"), facts.scholarshipEnd.told()}});
        return situation;
    }

    tell(reasons, "payment.due_day", Verdict::Noted,
         {{QStringLiteral("due_day"), facts.dueDay},
          {QStringLiteral("tolerance_added"), toleranceAdded},
          {QStringLiteral("due_day_used"), dueDay},
          {QStringLiteral("enrolled"), facts.enrolled}});
    situation.mayPass = receiptsAllowPassing(facts, dueDay, paid, lastDay, reasons);
    tell(reasons, "payment.receipts", verdictOf(situation.mayPass));
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
