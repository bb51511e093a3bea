#include "app/tool/commands.h"

#include "app/tool/identify_command.h"

#include <array>

namespace orvalen::tool {

int versionCommand(CommandContext& context) {
    context.out << "orvalen 9.26\n";
    return 0;
}

std::span<const Command> allCommands() {
    static const std::array commands{
        Command{"version", "version", "prints the version", &versionCommand},
        Command{"identify", "identify [--datalink-dir DIR] [--name] [--at HH:MM[:SS]] [--dry-run] [--json] TEXT",
                "runs one identification as if TEXT was typed at the terminal and Enter pressed; prints what "
                "the screen shows, the waits, the rows written and the turnstile releases",
                &identifyCommand},
    };
    return commands;
}

} // namespace orvalen::tool
