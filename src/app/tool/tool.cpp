#include "app/tool/tool.h"

#include "app/tool/command.h"
#include "app/tool/commands.h"

namespace orvalen::tool {

namespace {

void printUsage(QTextStream& stream) {
    stream << "usage: orvalen COMMAND [ARGUMENTS]\n\ncommands:\n";
    for (const Command& command : allCommands()) {
        stream << "  " << command.usage << "\n      " << command.summary << "\n";
    }
}

} // namespace

int runTool(const QStringList& arguments, QTextStream& out, QTextStream& err) {
    if (arguments.isEmpty() || arguments.first() == QLatin1String("--help") ||
        arguments.first() == QLatin1String("help")) {
        printUsage(arguments.isEmpty() ? err : out);
        return arguments.isEmpty() ? 2 : 0;
    }
    for (const Command& command : allCommands()) {
        if (arguments.first() == QLatin1String(command.name)) {
            CommandContext context{arguments.mid(1), out, err};
            return command.run(context);
        }
    }
    err << "orvalen: unknown command '" << arguments.first() << "'\n";
    printUsage(err);
    return 2;
}

} // namespace orvalen::tool
