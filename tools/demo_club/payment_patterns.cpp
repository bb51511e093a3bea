#include "demo_club/payment_patterns.h"

#include <algorithm>

namespace orvalen::demo {

namespace {

QDate firstOfMonth(const QDate& date) {
    return QDate(date.year(), date.month(), 1);
}

// Receipts for every month from the enrolment (at most a year back) through the given month.
QList<Receipt> monthsThrough(const QDate& registered, const QDate& businessDate,
                             const QDate& last) {
    QList<Receipt> receipts;
    QDate month = std::max(firstOfMonth(registered), firstOfMonth(businessDate.addMonths(-12)));
    for (; month <= firstOfMonth(last); month = month.addMonths(1)) {
        receipts.append({month.month(), month.year()});
    }
    return receipts;
}

} // namespace

void applyPayment(DemoMember& member, Payment payment, const QDate& businessDate) {
    const int today = businessDate.day();
    const QDate previous = businessDate.addMonths(-1);
    const QDate next = businessDate.addMonths(1);
    // Every pattern but the enrolled-today one needs a history of at least three months.
    member.registered = std::min(member.registered, businessDate.addMonths(-3));
    switch (payment) {
    case Payment::UpToDate:
        member.receipts = monthsThrough(member.registered, businessDate, businessDate);
        break;
    case Payment::WithinTolerance:
        if (today >= 2) {
            // Due a day or two ago; last month paid, so the tolerance still admits him.
            member.dueDay = std::max(1, today - 2);
            member.receipts = monthsThrough(member.registered, businessDate, previous);
        } else {
            // On the 1st: due on the 28th of last month, unpaid, within the tolerance.
            member.dueDay = 28;
            member.receipts =
                monthsThrough(member.registered, businessDate, businessDate.addMonths(-2));
        }
        break;
    case Payment::Overdue:
        // Due today, and last month was never paid: a month past the tolerance.
        member.dueDay = today;
        member.receipts =
            monthsThrough(member.registered, businessDate, businessDate.addMonths(-2));
        break;
    case Payment::PaidAhead:
        if (today >= 2) {
            member.dueDay = 1;
            member.receipts = monthsThrough(member.registered, businessDate, previous);
        } else {
            // On the 1st only a member enrolled today is judged by next month's receipt.
            member.registered = businessDate;
            member.dueDay = 10;
            member.receipts.clear();
        }
        member.receipts.append({next.month(), next.year()});
        break;
    case Payment::None:
        member.receipts.clear();
        break;
    }
}

} // namespace orvalen::demo
