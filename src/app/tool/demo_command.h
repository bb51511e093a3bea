#pragma once

#include "app/tool/command.h"

namespace orvalen::tool {

// orvalen demo create DIR [--members N] [--devices | --no-devices] [--fingerprints]: the demo
// club in DIR, or its cash period reopened (and its devices switched as asked).
int demoCommand(CommandContext& context);

} // namespace orvalen::tool
