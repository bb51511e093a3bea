#pragma once

#include "app/tool/command.h"

namespace orvalen::tool {

// orvalen identify: one identification run headless through the terminal screen, as if
// the text had been typed and Enter pressed; prints what the screen showed, the waits,
// the rows written and the releases requested.
int identifyCommand(CommandContext& context);

} // namespace orvalen::tool
