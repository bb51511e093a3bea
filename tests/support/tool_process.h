#pragma once

#include <QProcess>
#include <QRegularExpression>
#include <QString>

namespace orvalen::test {

// The built `orvalen` tool, for tests that run it as its own process.
QString toolExecutable();

// The built load tool (orvalen-load).
QString loadToolExecutable();

// A process run to its end: exit code (-1 when it crashed or was killed after the time
// given), standard output and standard error.
struct FinishedProcess {
    int exitCode = -1;
    QString out;
    QString err;
};
FinishedProcess runToEnd(QProcess& process, int milliseconds);
FinishedProcess runLoadTool(const QStringList& arguments, int milliseconds);

// Reads the process's output until a line matches, or gives up after a few seconds (a
// failure of the test). The matching line, or empty.
QString waitForLine(QProcess& process, const QRegularExpression& pattern);

} // namespace orvalen::test
