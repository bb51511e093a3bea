#include "support/application.h"
#include "support/tool_process.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace orvalen::test {
namespace {

// Several headless terminals (orvalen-load, each its own process on its own connection)
// identify the same people at the same time on one SQLite club database; the documented
// long run does the same with 2,500 identifications each.
constexpr int kTerminals = 4;
constexpr int kIdentificationsEach = 150;
constexpr int kMembers = 60;
constexpr int kProcessMs = 240000;

class SeveralTurnstiles : public ::testing::Test {
protected:
    QString folder() const { return dir.path(); }

    void prepare(int dailyLimit) {
        ensureApplication();
        const FinishedProcess prepared = runLoadTool(
            {QStringLiteral("prepare"), folder(), QStringLiteral("--members"),
             QString::number(kMembers), QStringLiteral("--limit"), QString::number(dailyLimit)},
            kProcessMs);
        ASSERT_EQ(prepared.exitCode, 0) << prepared.err.toStdString();
    }

    // Every terminal starts at the first number, so the same person is identified at
    // several turnstiles within the same moment over and over.
    void runTerminalsAtOnce() {
        std::vector<std::unique_ptr<QProcess>> terminals;
        for (int i = 0; i < kTerminals; ++i) {
            const QString ledger = dir.filePath(QStringLiteral("ledger-%1.tsv").arg(i));
            ledgers << ledger;
            auto& process = terminals.emplace_back(std::make_unique<QProcess>());
            process->start(loadToolExecutable(),
                           {QStringLiteral("run"), folder(), QStringLiteral("--count"),
                            QString::number(kIdentificationsEach), QStringLiteral("--ledger"),
                            ledger, QStringLiteral("--name"), QStringLiteral("t%1").arg(i)});
        }
        for (auto& process : terminals) {
            const FinishedProcess finished = runToEnd(*process, kProcessMs);
            SCOPED_TRACE(finished.out.toStdString() + finished.err.toStdString());
            EXPECT_EQ(finished.exitCode, 0) << "a terminal failed (busy database, error, "
                                               "write failure or a release without its rows)";
            const QJsonObject summary = QJsonDocument::fromJson(finished.out.toUtf8()).object();
            EXPECT_EQ(summary.value(QStringLiteral("identifications")).toInt(),
                      kIdentificationsEach);
            EXPECT_GT(summary.value(QStringLiteral("releases")).toInt(), 0);
        }
    }

    FinishedProcess check() {
        return runLoadTool(QStringList{QStringLiteral("check"), folder()} + ledgers, kProcessMs);
    }

    QTemporaryDir dir{qEnvironmentVariable("ORVALEN_TEST_TMP", QDir::tempPath()) +
                      QStringLiteral("/turnstiles-XXXXXX")};
    QStringList ledgers;
};

// The documented script, run twice in one folder: the second run would check its ledgers
// together with the first's, so it refuses the used folder instead of reporting false faults.
TEST_F(SeveralTurnstiles, TheScriptRefusesAFolderAnEarlierRunUsed) {
    ensureApplication();
    const QString run = dir.filePath(QStringLiteral("run"));
    const auto script = [&](const QString& terminals) {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("ORVALEN_LOAD"), loadToolExecutable());
        process.setProcessEnvironment(environment);
        process.start(QStringLiteral("bash"),
                      {QStringLiteral(ORVALEN_SOURCE_DIR "/tools/load/several_turnstiles.sh"), run,
                       QStringLiteral("5"), QStringLiteral("2"), terminals});
        return runToEnd(process, kProcessMs);
    };
    const FinishedProcess first = script(QStringLiteral("2"));
    ASSERT_EQ(first.exitCode, 0) << first.out.toStdString() << first.err.toStdString();
    const FinishedProcess again = script(QStringLiteral("1"));
    EXPECT_EQ(again.exitCode, 2) << again.out.toStdString();
    EXPECT_TRUE(again.err.contains(QStringLiteral("is not empty"))) << again.err.toStdString();
    EXPECT_FALSE(again.out.contains(QStringLiteral("fault:"))) << again.out.toStdString();
}

TEST_F(SeveralTurnstiles, EveryRowOnceAndTheDailyLimitHolds) {
    prepare(2);
    runTerminalsAtOnce();
    const FinishedProcess checked = check();
    EXPECT_EQ(checked.exitCode, 0) << checked.out.toStdString() << checked.err.toStdString();
    EXPECT_TRUE(checked.out.contains(QLatin1String("faults 0"))) << checked.out.toStdString();
}

TEST_F(SeveralTurnstiles, EveryPartnerPassReleaseLetsItsMemberInOnce) {
    prepare(0);
    runTerminalsAtOnce();
    const FinishedProcess checked = check();
    EXPECT_EQ(checked.exitCode, 0) << checked.out.toStdString() << checked.err.toStdString();
}

// The check itself must see a lost row: one row reported that the database does not hold.
TEST_F(SeveralTurnstiles, TheCheckFindsARowTheDatabaseLacks) {
    prepare(0);
    const QString ledger = dir.filePath(QStringLiteral("forged.tsv"));
    QFile file(ledger);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("AcessoDia\t0000010001\tL\n");
    file.close();
    ledgers << ledger;
    const FinishedProcess checked = check();
    EXPECT_EQ(checked.exitCode, 1);
    EXPECT_TRUE(checked.out.contains(QLatin1String("1 reported written")))
        << checked.out.toStdString();
}

// A terminal killed in the middle of its run: every row it committed before the identification
// under way is in its ledger already. Only that last identification's rows (two at most, both
// one row short) may be in the database and not yet in the ledger; a buffered ledger lost
// hundreds.
TEST_F(SeveralTurnstiles, TheLedgerOfAKilledRunHoldsEveryRowWritten) {
    prepare(2);
    const QString ledger = dir.filePath(QStringLiteral("killed.tsv"));
    ledgers << ledger;
    QProcess terminal;
    terminal.start(loadToolExecutable(),
                   {QStringLiteral("run"), folder(), QStringLiteral("--count"),
                    QStringLiteral("1000000"), QStringLiteral("--ledger"), ledger});
    ASSERT_TRUE(terminal.waitForStarted());
    // A few hundred rows written, and the run still going.
    QElapsedTimer waited;
    waited.start();
    while (QFileInfo(ledger).size() < 8000 && waited.elapsed() < kProcessMs &&
           terminal.state() == QProcess::Running) {
        terminal.waitForFinished(20);
    }
    ASSERT_EQ(terminal.state(), QProcess::Running);
    terminal.kill();
    terminal.waitForFinished();
    const FinishedProcess checked = check();
    static const QRegularExpression fault(
        QStringLiteral("^fault: .*: (\\d+) rows in the database, (\\d+) reported written$"),
        QRegularExpression::MultilineOption);
    int faults = 0;
    for (auto found = fault.globalMatch(checked.out); found.hasNext();) {
        const QRegularExpressionMatch one = found.next();
        ++faults;
        EXPECT_EQ(one.captured(1).toInt(), one.captured(2).toInt() + 1)
            << checked.out.toStdString();
    }
    EXPECT_LE(faults, 2) << checked.out.toStdString();
    EXPECT_TRUE(checked.out.contains(QStringLiteral("faults %1").arg(faults)))
        << checked.out.toStdString();
}

} // namespace
} // namespace orvalen::test
