#pragma once

#include "app/tool/doctor_report.h"
#include "store/local_settings.h"

#include <QDateTime>

namespace orvalen::tool {

// Whether the terminal can keep the door working while the club database is away: the
// [contingency] settings, the copy's age and size, and the writes waiting to be replayed.
void checkContingency(const store::LocalSettings& local, const QDateTime& now,
                      DoctorReport& report);

} // namespace orvalen::tool
