#pragma once

#include "app/tool/command.h"

namespace orvalen::tool {

// orvalen log [--datalink-dir DIR] [--date DATE] [--number NUMBER] [--status L|S|H|V]: the
// access rows of a day or of a person from the four access tables, as a readable table.
int logCommand(CommandContext& context);

} // namespace orvalen::tool
