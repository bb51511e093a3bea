#include "support/tool_in_process.h"

#include "app/tool/tool.h"

#include <QTextStream>

namespace orvalen::test {

ToolOutput runToolInProcess(const QStringList& arguments) {
    ToolOutput run;
    QTextStream out(&run.out);
    QTextStream err(&run.err);
    run.status = tool::runTool(arguments, out, err);
    out.flush();
    err.flush();
    return run;
}

} // namespace orvalen::test
