#pragma once

#include "app/tool/command.h"

namespace orvalen::tool {

// orvalen statements [--dialect sqlserver|sqlite]: every statement the product can send,
// as the running code builds it for that database, for a club's DBA and for our checks.
int statementsCommand(CommandContext& context);

} // namespace orvalen::tool
