#pragma once

#include "contingency/away_switch.h"

#include <QWidget>

namespace orvalen::shell {

// The strip across the top of the terminal window while decisions come from the
// contingency copy, gone as soon as the club database is back.
void showAwayStrip(QWidget* window, contingency::AwaySwitch& away);

} // namespace orvalen::shell
