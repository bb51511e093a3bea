#pragma once

#include "app/tool/command.h"

namespace orvalen::tool {

// orvalen relay-sim [--port N] [--address 127.0.0.1] [--silent]: a Wi-Fi relay stand-in on
// this machine that prints every request it receives, until interrupted.
int relaySimCommand(CommandContext& context);

} // namespace orvalen::tool
