#include "support/tool_process.h"

#include <QCoreApplication>
#include <QDir>
#include <gtest/gtest.h>

namespace orvalen::test {

QString toolExecutable() {
    return QDir(QCoreApplication::applicationDirPath())
        .filePath(QStringLiteral("../src/app/orvalen"));
}

QString loadToolExecutable() {
    return QDir(QCoreApplication::applicationDirPath())
        .filePath(QStringLiteral("../tools/load/orvalen-load"));
}

FinishedProcess runToEnd(QProcess& process, int milliseconds) {
    FinishedProcess finished;
    if (!process.waitForFinished(milliseconds)) {
        process.kill();
        process.waitForFinished();
    }
    finished.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    finished.out = QString::fromUtf8(process.readAllStandardOutput());
    finished.err = QString::fromUtf8(process.readAllStandardError());
    return finished;
}

FinishedProcess runLoadTool(const QStringList& arguments, int milliseconds) {
    QProcess process;
    process.start(loadToolExecutable(), arguments);
    return runToEnd(process, milliseconds);
}

QString waitForLine(QProcess& process, const QRegularExpression& pattern) {
    QString seen;
    for (int tries = 0; tries < 50; ++tries) {
        while (process.canReadLine()) {
            const QString line = QString::fromUtf8(process.readLine()).trimmed();
            seen += line + QLatin1Char('\n');
            if (pattern.match(line).hasMatch()) {
                return line;
            }
        }
        process.waitForReadyRead(100);
    }
    ADD_FAILURE() << "no line matching " << pattern.pattern().toStdString() << " in:\n"
                  << seen.toStdString();
    return {};
}

} // namespace orvalen::test
