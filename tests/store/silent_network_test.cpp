#include "store/connection.h"
#include "store/datalink.h"
#include "store/local_settings.h"
#include "support/qstring_printer.h"
#include "support/test_database.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <iostream>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace orvalen::store {
namespace {

// A server on 127.0.0.1 that takes connections and never says a word, as a club server
// behind a network that drops packets silently.
class SilentServer {
public:
    SilentServer() {
        fd_ = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t size = sizeof(address);
        if (bind(fd_, reinterpret_cast<sockaddr*>(&address), size) != 0 || listen(fd_, 8) != 0 ||
            getsockname(fd_, reinterpret_cast<sockaddr*>(&address), &size) != 0) {
            ADD_FAILURE() << "cannot listen on 127.0.0.1";
        }
        port_ = ntohs(address.sin_port);
    }
    ~SilentServer() { close(fd_); }
    int port() const { return port_; }

private:
    int fd_ = -1;
    int port_ = 0;
};

// A data link to the silent server with the given Connect Timeout, read as the terminal
// reads it.
Result<ConnectionSpec> silentSpec(const QTemporaryDir& folder, int port, int connectTimeout,
                                  bool contingency) {
    const QString udl = folder.filePath(QStringLiteral("Orvalen.udl"));
    QFile file(udl);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QStringLiteral("[oledb]\r\nProvider=SQLOLEDB.1;Data Source=127.0.0.1,%1;"
                              "Initial Catalog=Clube;User ID=sa;Password=x;Connect Timeout=%2\r\n")
                   .arg(port)
                   .arg(connectTimeout)
                   .toUtf8());
    file.close();
    LocalSettings local;
    local.folder = folder.path();
    local.contingency.enabled = contingency;
    return connectionSpecFromFile(udl, local);
}

// How long opening waited before it gave up (it must give up).
qint64 loginWait(const ConnectionSpec& spec, const char* what) {
    ClubConnection connection(spec, QLatin1String(what));
    QElapsedTimer timer;
    timer.start();
    EXPECT_FALSE(connection.open().ok());
    const qint64 waited = timer.elapsed();
    std::cout << "[ figures  ] " << what << ": the login gave up after " << waited << " ms\n";
    return waited;
}

// The SQL Server path against a server that never answers: opening the connection gives
// up after the data link's Connect Timeout, not after TCP's own minutes.
TEST(SilentNetwork, TheLoginGivesUpAfterTheConnectTimeout) {
    SilentServer server;
    QTemporaryDir folder;
    const Result<ConnectionSpec> spec = silentSpec(folder, server.port(), 2, false);
    ASSERT_TRUE(spec.ok()) << spec.error().message.toStdString();
    EXPECT_EQ(spec->statementSeconds, 30);
    const qint64 waited = loginWait(spec.value(), "silent server");
    EXPECT_LT(waited, 8000) << "the login waited " << waited << " ms";
}

// With a copy to decide from, a silent server is given up on sooner: the login after 5 s
// whatever the data link's Connect Timeout (0 is none at all), each statement after 8 s.
TEST(SilentNetwork, WithContingencyOnTheLoginGivesUpAfterFiveSeconds) {
    SilentServer server;
    QTemporaryDir folder;
    const Result<ConnectionSpec> spec = silentSpec(folder, server.port(), 0, true);
    ASSERT_TRUE(spec.ok()) << spec.error().message.toStdString();
    EXPECT_EQ(spec->statementSeconds, 8);
    EXPECT_EQ(spec->connectOptions, QStringLiteral("SQL_ATTR_LOGIN_TIMEOUT=5"));
    const qint64 waited = loginWait(spec.value(), "silent server, contingency on");
    EXPECT_LT(waited, 9000) << "the login waited " << waited << " ms";
}

// Every statement of an ODBC connection carries the bound its connection gives, so that a
// server that stops answering mid-statement frees the terminal. The driver manager's trace
// shows what each statement was given.
TEST(SilentNetwork, OdbcStatementsCarryTheirTimeBound) {
    test::TestDatabase db(test::Route::Odbc);
    for (const int seconds : {30, 0}) {
        SCOPED_TRACE(seconds);
        const QString trace = db.folder() + QStringLiteral("/odbc-%1.trace").arg(seconds);
        ConnectionSpec spec = test::sqliteSpec(db.file(), test::Route::Odbc);
        spec.connectOptions =
            QStringLiteral("SQL_ATTR_TRACE=SQL_OPT_TRACE_ON;SQL_ATTR_TRACEFILE=") + trace;
        spec.statementSeconds = seconds;
        {
            ClubConnection connection(spec, QStringLiteral("traced-%1").arg(seconds));
            ASSERT_TRUE(connection.open().ok());
            const Result<QSqlQuery> query =
                connection.execute(QStringLiteral("SELECT COUNT(*) FROM Sacvar"));
            ASSERT_TRUE(query.ok()) << query.error().message.toStdString();
        }
        QFile file(trace);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << "no driver manager trace";
        const QByteArray text = file.readAll();
        const bool bounded =
            text.contains("Attribute = SQL_ATTR_QUERY_TIMEOUT\n\t\t\tValue = 0x1e");
        EXPECT_EQ(bounded, seconds == 30) << text.right(2000).toStdString();
    }
}

} // namespace
} // namespace orvalen::store
