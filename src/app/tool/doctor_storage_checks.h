#pragma once

#include "app/tool/doctor_report.h"
#include "store/connection.h"

#include <QString>

namespace orvalen::tool {

// The name of the user running the check, whose rights the checks answer for.
QString runningUser();

// The club database's own file, when it is an SQLite file: the user running the check can
// write it (every access-log row goes there) and it passes SQLite's integrity check.
void checkDatabaseFile(const store::ClubConnection& connection, DoctorReport& report);

} // namespace orvalen::tool
