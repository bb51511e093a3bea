#pragma once

#include "demo_club/club_plan.h"
#include "demo_club/row_writer.h"
#include "store/result.h"

namespace orvalen::demo {

// Writes the people of a plan: students with photos, receipts and activities; former
// students; employees with photos; bookings and Gympass releases of the business date.
store::Status writePeople(RowWriter& writer, const ClubPlan& plan, const QDate& businessDate,
                          double branchCode);

} // namespace orvalen::demo
