#include "app/tool/commands.h"

#include <array>

namespace orvalen::tool {

int versionCommand(CommandContext& context) {
    context.out << "orvalen 9.26\n";
    return 0;
}

std::span<const Command> allCommands() {
    static const std::array commands{
        Command{"version", "version", "prints the version", &versionCommand},
    };
    return commands;
}

} // namespace orvalen::tool
