#pragma once

#include <QString>
#include <QStringList>
#include <QTextStream>

namespace orvalen::tool {

// What every sub-command receives: its own arguments and the two output streams.
struct CommandContext {
    QStringList arguments;
    QTextStream& out;
    QTextStream& err;
};

using CommandFunction = int (*)(CommandContext&);

struct Command {
    const char* name;
    const char* usage;
    const char* summary;
    CommandFunction run;
};

} // namespace orvalen::tool
