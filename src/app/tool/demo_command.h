#pragma once

#include "app/tool/command.h"

namespace orvalen::tool {

// orvalen demo create DIR [--members N]: the demo club in DIR, or its cash period reopened.
int demoCommand(CommandContext& context);

} // namespace orvalen::tool
