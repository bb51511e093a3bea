#pragma once

#include "store/result.h"

#include <QString>

namespace orvalen::monitor {

// Whether a terminal runs on this PC under this user: its message socket answers.
bool terminalOnThisPc();

// Sends the terminal the external release message that lets a visitor in.
store::Status releaseForVisitor();

} // namespace orvalen::monitor
