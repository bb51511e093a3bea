#include "support/application.h"
#include "support/terminal_fixture.h"
#include "terminal/message_socket.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <grp.h>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <sys/un.h>
#include <sys/wait.h>
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

// A terminal whose messages reach its screen, as the terminal session wires them.
class ListeningTerminal {
public:
    ListeningTerminal()
        : application((ensureApplication(), true)),
          f({}, {{QStringLiteral("LEITOR_BIOMETRICO"), QStringLiteral("Sim")},
                 {QStringLiteral("Tipo_Leitor"), QStringLiteral("1")}}),
          server([this](const QStringList& words) {
              if (const auto parameter = terminal::releaseMessageParameter(words)) {
                  f.screen().externalMessage(*parameter);
              }
          }) {
        f.show();
        f.fingerprint.calls.clear();
        EXPECT_TRUE(server.listen(name).ok());
    }

    QString path() const { return QDir(QDir::tempPath()).filePath(name); }

    // Lets the server run for a while, or until `done`.
    template <class Done> void runUntil(Done done, int milliseconds = 1000) {
        QElapsedTimer timer;
        timer.start();
        while (!done() && timer.elapsed() < milliseconds) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        }
    }

    // Whether the terminal still answers its own user.
    bool stillServes() {
        const int before = f.count(QStringLiteral("AcessoDia"));
        if (!terminal::sendTerminalMessage(QStringLiteral("0x400 1"), name).ok()) {
            return false;
        }
        runUntil([&] { return f.count(QStringLiteral("AcessoDia")) == before + 1; }, 5000);
        return f.count(QStringLiteral("AcessoDia")) == before + 1;
    }

    bool application;
    TerminalFixture f;
    terminal::TerminalMessageServer server;
    const QString name = QStringLiteral("orvalen-access-%1").arg(getpid());
};

// In a child process turned into user `nobody`: connects to the socket file and sends a
// release message. The exit code: 10 connection refused for lack of permission,
// 20 connected and cut off by the terminal without a word, other values anything else.
int releaseAsNobody(const QString& path) {
    const QByteArray file = path.toLocal8Bit();
    const pid_t child = fork();
    if (child == 0) {
        constexpr uid_t kNobody = 65534;
        if (setgroups(0, nullptr) != 0 || setgid(kNobody) != 0 || setuid(kNobody) != 0) {
            _exit(1);
        }
        const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::strncpy(address.sun_path, file.constData(), sizeof(address.sun_path) - 1);
        if (connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0) {
            _exit(errno == EACCES ? 10 : 2);
        }
        const char message[] = "0x400 1\n";
        if (write(fd, message, sizeof(message) - 1) < 0) {
            _exit(errno == EPIPE || errno == ECONNRESET ? 20 : 3);
        }
        timeval limit{5, 0};
        setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof(limit));
        char answer = 0;
        const ssize_t got = read(fd, &answer, 1);
        _exit(got == 0 || (got < 0 && errno == ECONNRESET) ? 20 : 4);
    }
    return child;
}

int exitCodeOf(pid_t child, ListeningTerminal& terminal) {
    int status = 0;
    terminal.runUntil([&] { return waitpid(child, &status, WNOHANG) == child; }, 10000);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(MessageSocket, OnlyTheOwnUserReachesTheTerminal) {
    ListeningTerminal terminal;
    struct stat info {};
    ASSERT_EQ(stat(terminal.path().toLocal8Bit().constData(), &info), 0);
    EXPECT_TRUE(S_ISSOCK(info.st_mode));
    EXPECT_EQ(info.st_uid, getuid());
    EXPECT_EQ(info.st_mode & 0077, 0u) << "group or others may open the socket";

    if (getuid() != 0) {
        GTEST_SKIP() << "a second user needs root to create";
    }
    signal(SIGPIPE, SIG_IGN);
    EXPECT_EQ(exitCodeOf(releaseAsNobody(terminal.path()), terminal), 10);
    // With the file opened to everybody, the terminal itself still turns the stranger away.
    ASSERT_EQ(chmod(terminal.path().toLocal8Bit().constData(), 0777), 0);
    EXPECT_EQ(exitCodeOf(releaseAsNobody(terminal.path()), terminal), 20);
    terminal.runUntil([] { return false; }, 200);
    EXPECT_EQ(terminal.f.count(QStringLiteral("AcessoDia")), 0);
    EXPECT_TRUE(terminal.stillServes());
}

TEST(MessageSocket, MalformedMessagesDoNothing) {
    ListeningTerminal terminal;
    const QString lines[] = {
        QStringLiteral("0x400"),
        QStringLiteral("0x400 x"),
        QStringLiteral("0x400 1 1"),
        QStringLiteral("0x401 1"),
        QStringLiteral("0x400 99999999999999999999"),
        QStringLiteral("0x400 '1'; DELETE FROM AcessoDia; --"),
        QStringLiteral("DROP TABLE AcessoDia"),
        QString::fromLatin1("\xff\xfe\x01 0x400 1"),
        QString(100000, QLatin1Char('1')), // no message is that long
    };
    for (const QString& line : lines) {
        const store::Status sent = terminal::sendTerminalMessage(line, terminal.name);
        if (line.size() < 1000) { // the terminal may cut the longest off while it is sent
            ASSERT_TRUE(sent.ok()) << sent.error().message.toStdString();
        }
    }
    terminal.runUntil([] { return false; }, 500);
    EXPECT_EQ(terminal.f.count(QStringLiteral("AcessoDia")), 0);
    EXPECT_EQ(terminal.f.count(QStringLiteral("AcessoVisitantes")), 0);
    EXPECT_TRUE(terminal.f.fingerprint.calls.isEmpty())
        << terminal.f.fingerprint.calls.join(QLatin1Char(' ')).toStdString();
    EXPECT_TRUE(terminal.stillServes());
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
