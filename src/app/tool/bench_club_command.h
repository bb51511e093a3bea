#pragma once

#include "app/tool/command.h"

namespace orvalen::tool {

// orvalen bench-club DIR [sizes]: a large club in an empty folder, for `orvalen bench`.
int benchClubCommand(CommandContext& context);

} // namespace orvalen::tool
