#pragma once

#include "app/tool/command.h"

namespace orvalen::tool {

// orvalen reader-sim --link PATH: a Tec12 keypad or card reader on a pseudo-terminal whose
// device end PATH links to; `orvalen send keypad|card` makes it send. Runs until interrupted.
int readerSimCommand(CommandContext& context);

} // namespace orvalen::tool
