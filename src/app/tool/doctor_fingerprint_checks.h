#pragma once

#include "app/tool/doctor_report.h"
#include "store/connection.h"

namespace orvalen::tool {

// Fingerprint templates this terminal cannot match (another platform's, damaged or empty),
// counted per table and column and named by member: those people are not identified by finger
// until they enrol again here. A problem while the terminal has a fingerprint reader, a fact
// otherwise.
void checkFingerprintTemplates(const store::ClubConnection& connection, DoctorReport& report);

} // namespace orvalen::tool
