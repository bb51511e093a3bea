#pragma once

#include "app/tool/command.h"

namespace orvalen::tool {

// orvalen send 0x400 N: delivers the external release message to the running terminal.
int sendCommand(CommandContext& context);

} // namespace orvalen::tool
