#pragma once

#include "app/tool/command.h"

namespace orvalen::tool {

// orvalen contingency status|refresh|replay [--datalink-dir DIR]: the local copy the
// terminal decides from while the club database is away, headless.
int contingencyCommand(CommandContext& context);

} // namespace orvalen::tool
