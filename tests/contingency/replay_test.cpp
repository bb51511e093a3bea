#include "contingency/away_club.h"
#include "contingency/copy_file.h"
#include "contingency/replay.h"
#include "support/test_database.h"
#include "support/tool_process.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <gtest/gtest.h>

namespace orvalen::test {
namespace {

class NoLog : public store::ErrorLog {
public:
    void record(const QString& message) override { lines << message; }
    QStringList lines;
};

// Replays the club's outbox in this process with the gate on both connections.
store::Result<contingency::ReplayFigures> replayWith(const AwayClub& club, KillingGate& gate) {
    store::ClubConnection main(sqliteSpec(club.clubPath(), Route::Direct),
                               QStringLiteral("replay-main"));
    EXPECT_TRUE(main.open().ok());
    auto copy = contingency::openCopy(club.copyPath(), QStringLiteral("replay-copy"));
    EXPECT_TRUE(copy.ok());
    main.setGate(&gate);
    copy.value()->setGate(&gate);
    NoLog log;
    return contingency::replayOutbox(main, *copy.value(), log, QDateTime::currentDateTime());
}

QString numberOf(const AwayClub& club, const char* situation) {
    for (const auto& [name, number] : catalogueNumbers(club.folder())) {
        if (name == QLatin1String(situation)) {
            return number;
        }
    }
    return {};
}

// Three members decided while the club database was away; the database back.
void decideThreeAway(const AwayClub& club) {
    club.away();
    for (const char* situation : {"paid", "overdue", "within-tolerance"}) {
        const ToolRun run = club.identify(numberOf(club, situation));
        ASSERT_EQ(run.status, 0) << run.out.toStdString();
    }
    club.back();
}

QByteArray bytesOf(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return file.readAll();
}

void restore(const QString& path, const QByteArray& bytes) {
    for (const char* suffix : {"-wal", "-shm", "-journal"}) {
        QFile::remove(path + QLatin1String(suffix));
    }
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

struct Landed {
    int acesso = 0;
    int acessoDia = 0;
    int ledger = 0;
};

Landed landed(const AwayClub& club) {
    return {club.clubValue(QStringLiteral("SELECT COUNT(*) FROM Acesso")).toInt(),
            club.clubValue(QStringLiteral("SELECT COUNT(*) FROM AcessoDia")).toInt(),
            club.clubValue(QStringLiteral("SELECT COUNT(*) FROM ContingencyLedger")).toInt()};
}

// Killed before each statement and each commit of the replay in turn, then replayed to the
// end: every write is in the club database once, never twice, never lost.
TEST(ExactlyOnceReplay, KilledAtEveryStepThenReplayedLandsEachWriteOnce) {
    AwayClub club;
    const int acesso = club.clubValue(QStringLiteral("SELECT COUNT(*) FROM Acesso")).toInt();
    const int acessoDia = club.clubValue(QStringLiteral("SELECT COUNT(*) FROM AcessoDia")).toInt();
    decideThreeAway(club);
    const QByteArray clubBytes = bytesOf(club.clubPath());
    const QByteArray copyBytes = bytesOf(club.copyPath());

    KillingGate counter(0);
    ASSERT_TRUE(replayWith(club, counter).ok());
    const int steps = counter.steps();
    ASSERT_GT(steps, 12); // three writes, each a ledger key, two rows, a commit and a mark
    const Landed once = landed(club);
    EXPECT_EQ(once.acesso, acesso + 3);
    EXPECT_EQ(once.acessoDia, acessoDia + 3);
    EXPECT_EQ(once.ledger, 3);

    for (int step = 1; step <= steps; ++step) {
        SCOPED_TRACE(step);
        restore(club.clubPath(), clubBytes);
        restore(club.copyPath(), copyBytes);
        // The child replays the very files just restored and dies at its step.
        ASSERT_EQ(childExit([&] {
                      KillingGate gate(step);
                      replayWith(club, gate);
                  }),
                  9);
        const ToolRun after = club.contingency(QStringLiteral("replay"));
        EXPECT_EQ(after.status, 0) << after.out.toStdString();
        const Landed now = landed(club);
        EXPECT_EQ(now.acesso, once.acesso);
        EXPECT_EQ(now.acessoDia, once.acessoDia);
        EXPECT_EQ(now.ledger, 3);
    }
}

// The udl of a terminal folder that names the club database by its full path.
void writeTerminalFolder(const QString& folder, const QString& clubPath, const QString& copy) {
    ASSERT_TRUE(QDir().mkpath(folder));
    QFile udl(folder + QStringLiteral("/Orvalen.udl"));
    ASSERT_TRUE(udl.open(QIODevice::WriteOnly));
    udl.write("[oledb]\r\n; Everything after this line is an OLE DB initstring\r\n"
              "Provider=SQLite;Data Source=" +
              clubPath.toUtf8() + "\r\n");
    QFile ini(folder + QStringLiteral("/terminal.ini"));
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write("[contingency]\nenabled=yes\ncopy=" + copy.toUtf8() + "\n");
}

// Four terminals replay into one club database at the same moment, and a fifth replays a
// copy restored from the first one's backup: each write lands once.
TEST(ExactlyOnceReplay, FourTerminalsAndARestoredCopyReplayingAtOnce) {
    AwayClub club;
    const QString paid = numberOf(club, "paid");
    const QString overdue = numberOf(club, "overdue");
    const int acesso = club.clubValue(QStringLiteral("SELECT COUNT(*) FROM Acesso")).toInt();
    QStringList folders;
    for (int t = 0; t < 4; ++t) {
        const QString folder = club.folder() + QStringLiteral("/terminal%1").arg(t);
        writeTerminalFolder(folder, club.clubPath(), folder + QStringLiteral("/copy.db"));
        folders << folder;
        const ToolRun refreshed =
            runToolHere({QStringLiteral("contingency"), QStringLiteral("refresh"),
                         QStringLiteral("--datalink-dir"), folder});
        ASSERT_EQ(refreshed.status, 0) << refreshed.out.toStdString();
    }
    club.away();
    for (const QString& folder : folders) {
        for (const QString& number : {paid, overdue}) {
            const ToolRun run = runToolHere(
                {QStringLiteral("identify"), QStringLiteral("--datalink-dir"), folder, number});
            ASSERT_EQ(run.status, 0) << run.out.toStdString();
        }
    }
    club.back();
    const QString restored = club.folder() + QStringLiteral("/restored");
    writeTerminalFolder(restored, club.clubPath(), restored + QStringLiteral("/copy.db"));
    ASSERT_TRUE(QFile::copy(folders[0] + QStringLiteral("/copy.db"),
                            restored + QStringLiteral("/copy.db")));
    folders << restored;

    std::vector<std::unique_ptr<QProcess>> replays;
    for (const QString& folder : folders) {
        auto process = std::make_unique<QProcess>();
        process->setProcessChannelMode(QProcess::MergedChannels);
        process->start(toolExecutable(), {QStringLiteral("contingency"), QStringLiteral("replay"),
                                          QStringLiteral("--datalink-dir"), folder});
        replays.push_back(std::move(process));
    }
    for (auto& process : replays) {
        ASSERT_TRUE(process->waitForFinished(60000));
        EXPECT_EQ(process->exitCode(), 0) << process->readAll().toStdString();
    }
    // One that lost a race for the ledger's table or a key replays what is left.
    for (const QString& folder : folders) {
        runToolHere({QStringLiteral("contingency"), QStringLiteral("replay"),
                     QStringLiteral("--datalink-dir"), folder});
    }
    EXPECT_EQ(club.clubValue(QStringLiteral("SELECT COUNT(*) FROM Acesso")).toInt(), acesso + 8);
    EXPECT_EQ(club.clubValue(QStringLiteral("SELECT COUNT(*) FROM ContingencyLedger")).toInt(), 8);
}

// A copy restored from a backup taken before its writes were replayed, then written while
// away again: its new sequences repeat replayed ones, and the new rows still land.
TEST(ExactlyOnceReplay, ARestoredCopyWrittenAgainLosesNoRow) {
    AwayClub club;
    const int acesso = club.clubValue(QStringLiteral("SELECT COUNT(*) FROM Acesso")).toInt();
    const QByteArray backup = bytesOf(club.copyPath());
    decideThreeAway(club);
    ASSERT_EQ(club.contingency(QStringLiteral("replay")).status, 0);
    ASSERT_EQ(landed(club).acesso, acesso + 3);

    restore(club.copyPath(), backup);
    decideThreeAway(club);
    const ToolRun replayed = club.contingency(QStringLiteral("replay"));
    EXPECT_EQ(replayed.status, 0) << replayed.out.toStdString();
    EXPECT_EQ(landed(club).acesso, acesso + 6);
    EXPECT_EQ(landed(club).ledger, 6);
}

} // namespace
} // namespace orvalen::test
