#include "contingency/away_club.h"
#include "contingency/copy_file.h"
#include "contingency/copy_refresh.h"
#include "store/local_settings.h"
#include "support/test_database.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace orvalen::test {
namespace {

store::ContingencySettings settingsOf(const AwayClub& club) {
    auto local = store::LocalSettings::load(club.folder());
    EXPECT_TRUE(local.ok());
    return local->contingency;
}

int refreshWith(const AwayClub& club, KillingGate& gate) {
    store::ClubConnection main(sqliteSpec(club.clubPath(), Route::Direct),
                               QStringLiteral("refresh-main"));
    EXPECT_TRUE(main.open().ok());
    main.setGate(&gate);
    return contingency::refreshCopy(main, settingsOf(club), QDateTime::currentDateTime()).ok() ? 0
                                                                                               : 1;
}

// A refresh killed at any table leaves the previous copy as it was, still deciding; the
// next refresh replaces it.
TEST(CopyRefresh, ARefreshKilledHalfWayKeepsThePreviousCopy) {
    AwayClub club;
    const auto before = contingency::readCopyInfo(club.copyPath());
    ASSERT_TRUE(before.ok()) << before.error().message.toStdString();
    KillingGate counter(0);
    ASSERT_EQ(refreshWith(club, counter), 0);
    const auto counted = contingency::readCopyInfo(club.copyPath());
    ASSERT_TRUE(counted.ok());
    for (const int step : {1, counter.steps() / 2, counter.steps()}) {
        SCOPED_TRACE(step);
        ASSERT_EQ(childExit([&] {
                      KillingGate gate(step);
                      refreshWith(club, gate);
                  }),
                  9);
        const auto after = contingency::readCopyInfo(club.copyPath());
        ASSERT_TRUE(after.ok()) << after.error().message.toStdString();
        EXPECT_EQ(after->takenAt, counted->takenAt);
        EXPECT_EQ(after->terminal, counted->terminal);
    }
    // The next refresh clears what the killed ones left half-built.
    const QFileInfo copy(club.copyPath());
    const QStringList leftPattern{copy.fileName() + QStringLiteral(".new-*")};
    EXPECT_FALSE(copy.absoluteDir().entryList(leftPattern, QDir::Files).isEmpty());
    KillingGate again(0);
    ASSERT_EQ(refreshWith(club, again), 0);
    EXPECT_EQ(copy.absoluteDir().entryList(leftPattern, QDir::Files), QStringList());
    club.away();
    const ToolRun decided = club.identify(catalogueNumbers(club.folder()).front().second);
    EXPECT_EQ(decided.status, 0) << decided.out.toStdString();
}

// A club database the refresh cannot read to the end (a table gone) leaves the previous
// copy, says why, and leaves no half-written file beside it.
TEST(CopyRefresh, ARefreshThatFailsSaysWhyAndKeepsThePreviousCopy) {
    AwayClub club;
    const auto before = contingency::readCopyInfo(club.copyPath());
    ASSERT_TRUE(before.ok());
    club.demo().change(QStringLiteral("DROP TABLE Turma"));
    const ToolRun refused = club.contingency(QStringLiteral("refresh"));
    EXPECT_EQ(refused.status, 1);
    EXPECT_TRUE(refused.out.contains(QStringLiteral("cannot read Turma")))
        << refused.out.toStdString();
    const auto after = contingency::readCopyInfo(club.copyPath());
    ASSERT_TRUE(after.ok());
    EXPECT_EQ(after->takenAt, before->takenAt);
    const QStringList beside =
        QDir(club.folder()).entryList({QStringLiteral("contingency-copy.db.new*")});
    EXPECT_TRUE(beside.isEmpty()) << beside.join(QLatin1Char(' ')).toStdString();
}

// photos=no leaves the photo tables empty; writes still waiting survive a refresh.
TEST(CopyRefresh, PhotosStayOutOnRequestAndWaitingWritesAreKept) {
    AwayClub club;
    auto count = [&](const QString& table) {
        auto copy = contingency::openCopy(club.copyPath(), QStringLiteral("count-copy"));
        EXPECT_TRUE(copy.ok());
        return copy.value()
            ->fetchAll(QStringLiteral("SELECT COUNT(*) FROM ") + table)
            .value()
            .front()
            .value(0)
            .toInt();
    };
    EXPECT_GT(count(QStringLiteral("FotosAlunos")), 0);
    club.away();
    ASSERT_EQ(club.identify(catalogueNumbers(club.folder()).front().second).status, 0);
    club.back();
    QFile ini(club.folder() + QStringLiteral("/terminal.ini"));
    ASSERT_TRUE(ini.open(QIODevice::Append));
    ini.write("photos=no\n");
    ini.close();
    const ToolRun refreshed = club.contingency(QStringLiteral("refresh"));
    EXPECT_TRUE(refreshed.out.contains(QStringLiteral("1 writes still waiting kept")))
        << refreshed.out.toStdString();
    EXPECT_EQ(count(QStringLiteral("FotosAlunos")), 0);
    EXPECT_EQ(count(QStringLiteral("ContingencyOutbox WHERE REPLAYED = 0")), 1);
}

} // namespace
} // namespace orvalen::test
