#pragma once

#include "app/tool/command.h"

namespace orvalen::tool {

// orvalen monitor [--datalink-dir DIR] [--listen ADDRESS:PORT]: the desk page.
int monitorCommand(CommandContext& context);

} // namespace orvalen::tool
