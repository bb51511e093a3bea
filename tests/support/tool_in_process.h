#pragma once

#include <QString>
#include <QStringList>

namespace orvalen::test {

// What the `orvalen` tool gave when run in this process.
struct ToolOutput {
    int status = 0;
    QString out;
    QString err;
};

ToolOutput runToolInProcess(const QStringList& arguments);

} // namespace orvalen::test
