#include "app/tool/tool.h"
#include "hardware/comm.h"
#include "support/application.h"
#include "support/qstring_printer.h"
#include "support/serial_fixtures.h"
#include "support/tool_process.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace orvalen;

namespace {

int send(const QStringList& words, QString& err) {
    QString out;
    QTextStream outStream(&out);
    QTextStream errStream(&err);
    const int result =
        tool::runTool(QStringList{QStringLiteral("send")} + words, outStream, errStream);
    errStream.flush();
    return result;
}

// What a user does: the simulator links a pseudo-terminal where terminal.ini maps the
// reader's port, and `orvalen send` makes it type keys or swipe a card. The terminal's
// reader line, opened on the link, hears exactly those bytes.
TEST(ReaderSimTest, KeysAndCardsReachAPortOpenedOnTheLink) {
    test::ensureApplication();
    QTemporaryDir folder;
    const QString link = folder.filePath(QStringLiteral("reader-line"));
    QProcess simulator;
    simulator.start(test::toolExecutable(),
                    {QStringLiteral("reader-sim"), QStringLiteral("--link"), link});
    ASSERT_TRUE(simulator.waitForStarted());
    const QString banner = test::waitForLine(
        simulator, QRegularExpression(QStringLiteral("^reader simulator on /dev/pts/")));
    ASSERT_FALSE(banner.isEmpty());
    EXPECT_TRUE(QFileInfo(link).isSymLink());

    hardware::comm::TComm readerLine;
    readerLine.DeviceName = link;
    readerLine.MonitorEvents = hardware::comm::TCommEventType::evRxChar;
    readerLine.Open();
    ASSERT_TRUE(readerLine.Enabled());
    QByteArray heard;
    readerLine.OnRxChar = [&](int count) {
        QByteArray bytes(count, '\0');
        bytes.truncate(std::max(0, readerLine.Read(bytes.data(), count)));
        heard += bytes;
    };

    QString err;
    ASSERT_EQ(send({QStringLiteral("keypad"), QStringLiteral("10001#")}, err), 0)
        << err.toStdString();
    EXPECT_TRUE(test::runUntil([&] { return heard == "10001#"; }, 5000)) << heard.toStdString();
    EXPECT_FALSE(
        test::waitForLine(simulator, QRegularExpression(QStringLiteral(" sent #$"))).isEmpty());

    heard.clear();
    ASSERT_EQ(send({QStringLiteral("card"), QStringLiteral("0000010001")}, err), 0)
        << err.toStdString();
    EXPECT_TRUE(test::runUntil([&] { return heard == "0000010001\r\n"; }, 5000))
        << heard.toStdString();
    EXPECT_FALSE(
        test::waitForLine(simulator, QRegularExpression(QStringLiteral(" sent 0000010001 CR LF$")))
            .isEmpty());

    // What the terminal sends back (the USB keypad's commands) is shown.
    ASSERT_EQ(readerLine.Write("\x0F", 1), 1);
    EXPECT_FALSE(
        test::waitForLine(simulator, QRegularExpression(QStringLiteral(
                                         "the terminal sent 0x0F \\(Tec12 USB keypad on\\)$")))
            .isEmpty());

    readerLine.Close();
    simulator.terminate();
    simulator.waitForFinished();
    EXPECT_FALSE(QFileInfo(link).isSymLink()) << "the link outlived the simulator";
}

TEST(ReaderSimTest, BadReaderMessagesAreRefused) {
    const char* bad[][2] = {{"keypad", "12a"}, {"card", "12345678901"}, {"card", ""}};
    for (const auto& words : bad) {
        QString err;
        EXPECT_EQ(send({QLatin1String(words[0]), QLatin1String(words[1])}, err), 2) << words[1];
        EXPECT_FALSE(err.isEmpty());
    }
}

} // namespace
