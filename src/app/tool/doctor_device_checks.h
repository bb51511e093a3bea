#pragma once

#include "app/tool/doctor_report.h"
#include "store/connection.h"
#include "store/local_settings.h"

namespace orvalen::tool {

// The devices the settings rows name, where terminal.ini puts them on this PC: the reader's
// serial port, the turnstile's output (serial RTS line, USB-to-parallel converter, parallel
// port or Wi-Fi relay) and the fingerprint reader. Each must be there and usable by the user
// running the check; nothing is opened or switched, so a running terminal is not disturbed.
void checkDevices(const store::ClubConnection& club, const store::LocalSettings& local,
                  DoctorReport& report);

// Every activity code Acesso.txt of the data-link folder admits is listed in ATIVIDADES: a
// code the club does not have admits nobody.
void checkAccessPointCodes(const store::ClubConnection& club, const store::LocalSettings& local,
                           DoctorReport& report);

} // namespace orvalen::tool
