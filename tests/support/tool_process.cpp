#include "support/tool_process.h"

#include <QCoreApplication>
#include <QDir>
#include <gtest/gtest.h>

namespace orvalen::test {

QString toolExecutable() {
    return QDir(QCoreApplication::applicationDirPath())
        .filePath(QStringLiteral("../src/app/orvalen"));
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
