#pragma once

// The kernel's termios2, which carries any baud rate; kept out of headers that user code
// includes, since it clashes with the C library's <termios.h>.
#include "hardware/serial_device.h"

#include <asm/termbits.h>

namespace orvalen::hardware {

// Raw binary mode plus the settings; false (and t untouched) when the system cannot do them.
bool applyLineSettings(struct termios2& t, const LineSettings& settings);

} // namespace orvalen::hardware
