#pragma once

#include "app/tool/command.h"

namespace orvalen::tool {

// orvalen bench [--datalink-dir DIR] [--count N] [--fingers N] [--json] ...: the terminal's
// figures on the club database the folder names.
int benchCommand(CommandContext& context);

} // namespace orvalen::tool
