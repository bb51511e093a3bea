#pragma once

#include "app/tool/command.h"

namespace orvalen::tool {

// orvalen send finger <sample name | file.pgm> [--datalink-dir DIR]: places a finger on the
// virtual fingerprint reader that terminal.ini of the installation names
// ([devices] fingerprint_virtual=), as if it were laid on the running terminal's reader.
int sendFinger(CommandContext& context);

} // namespace orvalen::tool
