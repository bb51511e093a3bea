#pragma once

#include <QProcess>
#include <QRegularExpression>
#include <QString>

namespace orvalen::test {

// The built `orvalen` tool, for tests that run it as its own process.
QString toolExecutable();

// Reads the process's output until a line matches, or gives up after a few seconds (a
// failure of the test). The matching line, or empty.
QString waitForLine(QProcess& process, const QRegularExpression& pattern);

} // namespace orvalen::test
