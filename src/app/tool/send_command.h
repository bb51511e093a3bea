#pragma once

#include "app/tool/command.h"

namespace orvalen::tool {

// orvalen send 0x400 N: delivers the external release message to the running terminal.
// orvalen send keypad KEYS | card NUMBER: hands Tec12 keys or a card frame to the running
// reader simulator, which puts them on the terminal's reader line.
int sendCommand(CommandContext& context);

} // namespace orvalen::tool
