#pragma once

#include "app/tool/command.h"

#include <span>

namespace orvalen::tool {

// Every sub-command of `orvalen`, in the order the help lists them.
std::span<const Command> allCommands();

} // namespace orvalen::tool
