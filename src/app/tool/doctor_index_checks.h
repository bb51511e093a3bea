#pragma once

#include "app/tool/doctor_report.h"
#include "store/connection.h"

namespace orvalen::tool {

// The indexes the terminal's lookups go by: each one the club database lacks is named with
// the statement that would create it. Advice only: the club's database is not changed.
void checkLookupIndexes(const store::ClubConnection& connection, DoctorReport& report);

} // namespace orvalen::tool
