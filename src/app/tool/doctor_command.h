#pragma once

#include "app/tool/command.h"

namespace orvalen::tool {

// orvalen doctor [--datalink-dir DIR]: checks the data links, the club database, its
// settings and the cash period; exit 0 only when all is well.
int doctorCommand(CommandContext& context);

} // namespace orvalen::tool
