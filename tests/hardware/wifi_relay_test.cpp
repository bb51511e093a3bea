#include "hardware/simulated_relay.h"
#include "hardware/wifi_relay.h"
#include "support/application.h"
#include "support/qstring_printer.h"
#include "support/unreachable_relay.h"

#include <QElapsedTimer>
#include <QTcpServer>
#include <QTcpSocket>
#include <gtest/gtest.h>

using namespace orvalen;
using hardware::RelayOutcome;
using hardware::RelaySwitch;
using hardware::SimulatedRelay;
using hardware::WifiRelay;

namespace {

class WifiRelayTest : public ::testing::Test {
protected:
    // The network layer wants its application before the client exists.
    static void SetUpTestSuite() { test::ensureApplication(); }
    void SetUp() override { ASSERT_EQ(relay.listen(QStringLiteral("127.0.0.1"), 0), QString()); }

    SimulatedRelay relay;
    WifiRelay client;
};

// A port on this machine where nothing listens.
quint16 closedPort() {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    const quint16 port = probe.serverPort();
    probe.close();
    return port;
}

TEST_F(WifiRelayTest, SendsTheExactRequestsTheRelayExpects) {
    EXPECT_EQ(WifiRelay::requestUrl(QStringLiteral("192.168.0.50"), RelaySwitch::On),
              QStringLiteral("http://192.168.0.50/?acao=gpio0On"));
    EXPECT_EQ(WifiRelay::requestUrl(QStringLiteral("192.168.0.50"), RelaySwitch::Off),
              QStringLiteral("http://192.168.0.50/?acao=gpio0Off"));

    EXPECT_EQ(client.send(relay.address(), RelaySwitch::On).outcome, RelayOutcome::Answered);
    EXPECT_EQ(client.send(relay.address(), RelaySwitch::Off).outcome, RelayOutcome::Answered);
    ASSERT_EQ(relay.requests().size(), 2);
    EXPECT_EQ(relay.requests()[0].line, QByteArray("GET /?acao=gpio0On HTTP/1.1"));
    EXPECT_EQ(relay.requests()[1].line, QByteArray("GET /?acao=gpio0Off HTTP/1.1"));
    for (const hardware::RelayRequest& request : relay.requests()) {
        EXPECT_EQ(request.header("Accept"),
                  QByteArray("application/json, text/plain; q=0.9, text/html;q=0.8,"));
        EXPECT_EQ(request.header("Accept-Charset"), QByteArray("UTF-8, *;q=0.8"));
        EXPECT_EQ(request.header("Host"), relay.address().toLatin1());
        EXPECT_EQ(request.header("Content-Length"), QByteArray());
    }
}

// After a second without an answer the request ends: a time-out when it could not even be
// sent, a failure while receiving when the relay took it and stayed silent.
TEST_F(WifiRelayTest, ARelayThatDoesNotAnswerEndsTheRequestAfterASecond) {
    relay.setAnswering(false);
    test::UnreachableRelay unreachable;
    const std::pair<QString, RelayOutcome> cases[] = {
        {unreachable.address(), RelayOutcome::TimedOut},
        {relay.address(), RelayOutcome::ReceiveFailed},
    };
    for (const auto& [address, outcome] : cases) {
        SCOPED_TRACE(address.toStdString());
        QElapsedTimer elapsed;
        elapsed.start();
        const hardware::RelayResult result = client.send(address, RelaySwitch::On);
        EXPECT_EQ(result.outcome, outcome) << result.error.toStdString();
        // Qt's transfer timer is a coarse one: it may fire up to 5 % early.
        EXPECT_GE(elapsed.elapsed(), 900);
        EXPECT_LT(elapsed.elapsed(), 3000);
    }
    EXPECT_EQ(relay.requests().size(), 1);
}

TEST_F(WifiRelayTest, RefusedOrHostlessRequestsAreOtherFailures) {
    const QString refused = QStringLiteral("127.0.0.1:%1").arg(closedPort());
    QElapsedTimer elapsed;
    elapsed.start();
    EXPECT_EQ(client.send(refused, RelaySwitch::Off).outcome, RelayOutcome::Failed);
    EXPECT_LT(elapsed.elapsed(), 900); // not mistaken for the time-out
    // An empty address setting leaves the URL without a host.
    EXPECT_EQ(client.send(QString(), RelaySwitch::Off).outcome, RelayOutcome::Failed);
    EXPECT_EQ(client.send(QStringLiteral("not an address"), RelaySwitch::Off).outcome,
              RelayOutcome::Failed);
}

// A relay whose firmware answers with its own status lines: each answer is one raw reply.
class ScriptedHttpServer {
public:
    explicit ScriptedHttpServer(QList<QByteArray> replies) : replies_(std::move(replies)) {
        server_.listen(QHostAddress::LocalHost, 0);
        QObject::connect(&server_, &QTcpServer::newConnection, &server_, [this] {
            QTcpSocket* socket = server_.nextPendingConnection();
            QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
                const QByteArray head = socket->readAll();
                lines << head.left(head.indexOf("\r\n"));
                socket->write(replies_.isEmpty() ? QByteArray() : replies_.takeFirst());
                socket->disconnectFromHost();
            });
        });
    }
    QString address() const { return QStringLiteral("127.0.0.1:%1").arg(server_.serverPort()); }
    QList<QByteArray> lines;

private:
    QTcpServer server_;
    QList<QByteArray> replies_;
};

TEST_F(WifiRelayTest, AnErrorStatusIsAnAnswerAndRedirectsAreFollowed) {
    ScriptedHttpServer server(
        {"HTTP/1.1 500 Internal Server Error\r\nContent-Length: 0\r\nConnection: close\r\n\r\n",
         "HTTP/1.1 302 Found\r\nLocation: /gpio\r\nContent-Length: 0\r\nConnection: close\r\n\r\n",
         "HTTP/1.1 200 OK\r\nContent-Length: 0\r\nConnection: close\r\n\r\n"});
    EXPECT_EQ(client.send(server.address(), RelaySwitch::On).outcome, RelayOutcome::Answered);
    EXPECT_EQ(client.send(server.address(), RelaySwitch::Off).outcome, RelayOutcome::Answered);
    EXPECT_EQ(server.lines,
              (QList<QByteArray>{"GET /?acao=gpio0On HTTP/1.1", "GET /?acao=gpio0Off HTTP/1.1",
                                 "GET /gpio HTTP/1.1"}));
}

TEST(SimulatedRelayTest, ListensOnLoopbackOnly) {
    test::ensureApplication();
    for (const char* address : {"0.0.0.0", "192.168.0.50", "::", "localhost", ""}) {
        SimulatedRelay relay;
        const QString refused = relay.listen(QLatin1String(address), 0);
        EXPECT_TRUE(refused.contains(QStringLiteral("not a loopback address"))) << address;
    }
    SimulatedRelay v6;
    EXPECT_EQ(v6.listen(QStringLiteral("::1"), 0), QString());
}

} // namespace
