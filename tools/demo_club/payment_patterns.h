#pragma once

#include "demo_club/club_plan.h"

#include <QDate>

namespace orvalen::demo {

// How a member stands with his monthly payments on the business date, under the demo's
// settings (tolerance kToleranceDays, no fixed due day, ULTIMO_DIA 0).
enum class Payment {
    UpToDate,        // this month's receipt is there
    WithinTolerance, // this month unpaid, the due day passed less than the tolerance ago
    Overdue,         // nothing for last, this or next month, tolerance long over
    PaidAhead,       // next month's receipt without this month's
    None,            // no receipts at all (free access, scholarships, transfers)
};

// Sets the due day, the receipts and, where the pattern needs it, the enrolment date.
void applyPayment(DemoMember& member, Payment payment, const QDate& businessDate);

} // namespace orvalen::demo
