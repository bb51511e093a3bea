#pragma once

#include "app/tool/command.h"

namespace orvalen::tool {

// orvalen explain [--datalink-dir DIR] [--at [DATE] HH:MM] [--branch CODE] [--lang pt|en]
// [--json] NUMBER: the terminal's decision for NUMBER on a dry run, told check by check.
int explainCommand(CommandContext& context);

} // namespace orvalen::tool
