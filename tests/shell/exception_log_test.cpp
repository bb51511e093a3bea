#include "shell/exception_log.h"
#include "shell/guarded_application.h"
#include "test_application.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <stdexcept>

namespace orvalen::shell {
namespace {

QDateTime at(int hour, int minute, int second) {
    return QDateTime(QDate(2026, 3, 7), QTime(hour, minute, second));
}

TEST(ExceptionLogLine, DateTimeColonMessageCrLf) {
    struct Case {
        const char* name;
        QDateTime when;
        QString message;
        QByteArray line;
    };
    const Case cases[] = {
        {"afternoon", at(14, 5, 9), QStringLiteral("Falhou"), "07/03/2026 14:05:09:Falhou\r\n"},
        {"exactly midnight: date alone", at(0, 0, 0), QStringLiteral("Falhou"),
         "07/03/2026:Falhou\r\n"},
        {"one second after midnight", at(0, 0, 1), QStringLiteral("x"),
         "07/03/2026 00:00:01:x\r\n"},
        {"accents kept", at(9, 0, 0), QStringLiteral("Não"), "07/03/2026 09:00:00:N\xc3\xa3o\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(exceptionLogLine(c.when, c.message), c.line);
    }
}

TEST(ExceptionLogFile, AppendsOneLinePerErrorAndCreatesTheFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("sub/orvalen-terminal.log"));
    QDateTime now = at(0, 0, 0);
    ExceptionLogFile log(path, [&] { return now; });
    log.record(QStringLiteral("primeiro"));
    now = at(10, 1, 2);
    ExceptionLogFile again(path, [&] { return now; });
    again.record(QStringLiteral("segundo"));

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("07/03/2026:primeiro\r\n07/03/2026 10:01:02:segundo\r\n"));
}

TEST(ExceptionLogPath, BesideTheExecutableWithItsExtensionReplaced) {
    QTemporaryDir dir;
    EXPECT_EQ(exceptionLogPath(dir.filePath(QStringLiteral("orvalen-terminal")),
                               QStringLiteral("/x/y.log")),
              dir.filePath(QStringLiteral("orvalen-terminal.log")));
    EXPECT_EQ(exceptionLogPath(dir.filePath(QStringLiteral("Orvalen.exe")), {}),
              dir.filePath(QStringLiteral("Orvalen.log")));
    // A folder that does not exist cannot be written: the configured path is used.
    EXPECT_EQ(exceptionLogPath(QStringLiteral("/nonexistent/bin/orvalen-terminal"),
                               QStringLiteral("/var/o.log")),
              QStringLiteral("/var/o.log"));
    EXPECT_TRUE(exceptionLogPath(QStringLiteral("/nonexistent/bin/orvalen-terminal"), {})
                    .endsWith(QStringLiteral("orvalen/orvalen-terminal.log")));
}

class RecordingLog : public store::ErrorLog {
public:
    void record(const QString& message) override { messages.append(message); }
    QStringList messages;
};

TEST(RunLogged, AnEscapedErrorIsLoggedAndTheWorkStops) {
    RecordingLog log;
    bool after = false;
    EXPECT_FALSE(runLogged(&log, [&] {
        throw std::runtime_error("Sacvar2.ACESSO_PULSO is not a number: \"abc\"");
        after = true;
    }));
    EXPECT_FALSE(after);
    EXPECT_EQ(log.messages,
              QStringList{QStringLiteral("Sacvar2.ACESSO_PULSO is not a number: \"abc\"")});
    EXPECT_TRUE(runLogged(&log, [] {}));
    EXPECT_EQ(log.messages.size(), 1);
}

// An object whose event handler fails the way a rule does when a setting is unusable.
class FailingHandler : public QObject {
public:
    bool event(QEvent*) override { throw std::runtime_error("falha no tratamento"); }
};

TEST(GuardedApplication, AnErrorEscapingAnEventHandlerGoesToTheLog) {
    test::ensureApplication();
    auto* app = static_cast<GuardedApplication*>(QCoreApplication::instance());
    RecordingLog log;
    app->setErrorLog(&log);
    FailingHandler handler;
    QEvent event(QEvent::User);
    QCoreApplication::sendEvent(&handler, &event);
    app->setErrorLog(nullptr);
    EXPECT_EQ(log.messages, QStringList{QStringLiteral("falha no tratamento")});
}

} // namespace
} // namespace orvalen::shell
