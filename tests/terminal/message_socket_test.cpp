#include "support/application.h"
#include "support/terminal_fixture.h"
#include "terminal/message_socket.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <gtest/gtest.h>
#include <unistd.h>

namespace orvalen::test {
namespace {

TEST(MessageSocket, ReleaseMessageReachesTheScreenBothWays) {
    ensureApplication();
    TerminalFixture f({}, {{QStringLiteral("LEITOR_BIOMETRICO"), QStringLiteral("Sim")},
                           {QStringLiteral("Tipo_Leitor"), QStringLiteral("1")}});
    f.show();
    f.fingerprint.calls.clear();
    terminal::TerminalMessageServer server([&](const QStringList& words) {
        if (const auto parameter = terminal::releaseMessageParameter(words)) {
            f.screen().externalMessage(*parameter);
        }
    });
    const QString name = QStringLiteral("orvalen-test-%1").arg(getpid());
    ASSERT_TRUE(server.listen(name).ok());

    const auto deliver = [&](const QString& line, auto done) {
        ASSERT_TRUE(terminal::sendTerminalMessage(line, name).ok());
        QElapsedTimer timer;
        timer.start();
        while (!done() && timer.elapsed() < 5000) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        }
    };
    deliver(QStringLiteral("0x400 1"), [&] { return f.count(QStringLiteral("AcessoDia")) == 1; });
    EXPECT_EQ(f.count(QStringLiteral("AcessoDia")), 1);
    EXPECT_EQ(f.count(QStringLiteral("AcessoVisitantes")), 0);
    f.fingerprint.calls.clear();

    deliver(QStringLiteral("0x400 0"), [&] { return !f.fingerprint.calls.isEmpty(); });
    EXPECT_EQ(f.fingerprint.calls, QStringList{QStringLiteral("close")});
    EXPECT_FALSE(f.unit().readerOpen);
}

TEST(MessageSocket, OnlyTheReleaseMessageIsRead) {
    EXPECT_EQ(terminal::releaseMessageParameter({QStringLiteral("0x400"), QStringLiteral("7")}), 7);
    EXPECT_EQ(terminal::releaseMessageParameter({QStringLiteral("0x400"), QStringLiteral("0")}), 0);
    EXPECT_FALSE(terminal::releaseMessageParameter({QStringLiteral("0x401"), QStringLiteral("1")})
                     .has_value());
    EXPECT_FALSE(terminal::releaseMessageParameter({QStringLiteral("0x400"), QStringLiteral("x")})
                     .has_value());
    EXPECT_FALSE(terminal::releaseMessageParameter({QStringLiteral("0x400")}).has_value());
}

TEST(MessageSocket, NobodyListening) {
    EXPECT_FALSE(terminal::sendTerminalMessage(QStringLiteral("0x400 1"),
                                               QStringLiteral("orvalen-nobody-here"))
                     .ok());
}

} // namespace
} // namespace orvalen::test
