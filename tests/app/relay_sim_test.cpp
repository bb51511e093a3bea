#include "app/tool/tool.h"
#include "hardware/wifi_relay.h"
#include "support/application.h"
#include "support/qstring_printer.h"
#include "support/tool_process.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <gtest/gtest.h>

using namespace orvalen;

namespace {

using test::toolExecutable;
using test::waitForLine;

TEST(RelaySimTest, AnswersAndPrintsEachRequestWithItsTime) {
    test::ensureApplication();
    QProcess simulator;
    simulator.start(toolExecutable(),
                    {QStringLiteral("relay-sim"), QStringLiteral("--port"), QStringLiteral("0")});
    ASSERT_TRUE(simulator.waitForStarted());
    const QString banner =
        waitForLine(simulator, QRegularExpression(QStringLiteral("^relay simulator on ")));
    const QString address =
        QRegularExpression(QStringLiteral("127\\.0\\.0\\.1:\\d+")).match(banner).captured(0);
    ASSERT_FALSE(address.isEmpty()) << banner.toStdString();

    hardware::WifiRelay client;
    EXPECT_EQ(client.send(address, hardware::RelaySwitch::On).outcome,
              hardware::RelayOutcome::Answered);
    EXPECT_FALSE(waitForLine(simulator,
                             QRegularExpression(QStringLiteral("^\\d\\d:\\d\\d:\\d\\d\\.\\d{3} GET "
                                                               "/\\?acao=gpio0On HTTP/1\\.1$")))
                     .isEmpty());
    simulator.kill();
    simulator.waitForFinished();
}

TEST(RelaySimTest, RefusesAddressesBeyondThisMachine) {
    for (const char* address : {"0.0.0.0", "192.168.0.50"}) {
        QString out;
        QString err;
        QTextStream outStream(&out);
        QTextStream errStream(&err);
        EXPECT_EQ(tool::runTool({QStringLiteral("relay-sim"), QStringLiteral("--address"),
                                 QLatin1String(address)},
                                outStream, errStream),
                  2);
        errStream.flush();
        EXPECT_TRUE(err.contains(QStringLiteral("is not a loopback address"))) << err.toStdString();
    }
}

} // namespace
