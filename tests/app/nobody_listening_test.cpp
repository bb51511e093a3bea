#include "support/application.h"
#include "support/tool_process.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace orvalen::test {
namespace {

// A session without a runtime folder (a root shell, a service), in which nothing listens: the
// tools say which program is missing and how to start it, in their own words, never Qt's.
TEST(NobodyListening, ToolsNameTheMissingProgramWithoutQtWarnings) {
    ensureApplication();
    QTemporaryDir runtimeBase(qEnvironmentVariable("ORVALEN_TEST_TMP", QDir::tempPath()) +
                              QStringLiteral("/nobody-XXXXXX"));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("XDG_RUNTIME_DIR"));
    environment.insert(QStringLiteral("TMPDIR"), runtimeBase.path()); // a runtime folder of its own
    const struct {
        QString program;
        QStringList arguments;
        int status;
        QStringList said;
    } cases[] = {
        {toolExecutable(),
         {QStringLiteral("send"), QStringLiteral("0x400"), QStringLiteral("1")},
         1,
         {QStringLiteral("the terminal (orvalen-terminal) is not running"),
          QStringLiteral("start it as this user: orvalen-terminal")}},
        {toolExecutable(),
         {QStringLiteral("send"), QStringLiteral("keypad"), QStringLiteral("123#")},
         1,
         {QStringLiteral("the reader simulator (orvalen reader-sim) is not running"),
          QStringLiteral("orvalen reader-sim --link PATH")}},
        {loadToolExecutable(), {}, 2, {QStringLiteral("usage: orvalen-load prepare DIR")}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments.join(QLatin1Char(' ')).toStdString());
        QProcess process;
        process.setProcessEnvironment(environment);
        process.start(c.program, c.arguments);
        const FinishedProcess ran = runToEnd(process, 30000);
        EXPECT_EQ(ran.exitCode, c.status);
        for (const QString& said : c.said) {
            EXPECT_TRUE(ran.err.contains(said)) << ran.err.toStdString();
        }
        for (const char* qtWords : {"QStandardPaths", "QLocalSocket", "a terminal"}) {
            EXPECT_FALSE(ran.err.contains(QLatin1String(qtWords))) << ran.err.toStdString();
        }
    }
}

} // namespace
} // namespace orvalen::test
