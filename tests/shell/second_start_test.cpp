#include "support/test_database.h"
#include "test_application.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace orvalen::shell {
namespace {

// The real terminal executable, built beside the tests.
QString terminalExecutable() {
    return QDir(QCoreApplication::applicationDirPath())
        .filePath(QStringLiteral("../src/app/orvalen-terminal"));
}

TEST(SecondStart, EndsAtOnceWhileTheFirstCopyKeepsRunning) {
    test::ensureApplication();
    ASSERT_TRUE(QFile::exists(terminalExecutable())) << terminalExecutable().toStdString();

    test::TestDatabase db;
    QFile link(QDir(db.folder()).filePath(QStringLiteral("Orvalen.udl")));
    ASSERT_TRUE(link.open(QIODevice::WriteOnly));
    link.write("[oledb]\r\nProvider=SQLite;Data Source=club.db\r\n");
    link.close();

    QTemporaryDir runtime; // the lock and the socket of this test's copies only
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    const QStringList arguments{QStringLiteral("--datalink-dir"), db.folder()};

    QProcess first;
    first.setProcessEnvironment(environment);
    first.start(terminalExecutable(), arguments);
    ASSERT_TRUE(first.waitForStarted());
    // The first copy is on its splash by now and stays up (splash, then the login).
    EXPECT_FALSE(first.waitForFinished(1500));

    QProcess second;
    second.setProcessEnvironment(environment);
    second.start(terminalExecutable(), arguments);
    ASSERT_TRUE(second.waitForFinished(3000)) << "the second copy did not end at once";
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);

    EXPECT_EQ(first.state(), QProcess::Running);
    first.kill();
    first.waitForFinished();
}

} // namespace
} // namespace orvalen::shell
