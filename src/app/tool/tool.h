#pragma once

#include <QStringList>
#include <QTextStream>

namespace orvalen::tool {

// Runs the `orvalen` command line (arguments without the program name) and returns the
// process exit status.
int runTool(const QStringList& arguments, QTextStream& out, QTextStream& err);

} // namespace orvalen::tool
