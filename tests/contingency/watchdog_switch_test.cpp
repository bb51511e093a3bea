#include "contingency/switching_club.h"
#include "shell/watchdog.h"
#include "support/screen_services.h"

#include <QDir>
#include <gtest/gtest.h>

namespace orvalen::test {
namespace {

// The club database goes away under a running terminal and comes back, reached directly
// and along the ODBC driver path that serves SQL Server: no box stops the terminal, members
// are let in from the copy meanwhile, and the watchdog gets the club database back by
// itself and hands it the rows.
class WatchdogSwitch : public ::testing::TestWithParam<Route> {};

TEST_P(WatchdogSwitch, NoBoxWhileAwayAndTheRowsReplayedWhenBack) {
    SwitchingClub club(GetParam());
    ScriptedAviso aviso;
    const Route route = GetParam();
    const QString file = club.h.db.file();
    shell::Watchdog watchdog(
        club.h.db.connection(),
        [file, route] { return store::Result<store::ConnectionSpec>(sqliteSpec(file, route)); },
        aviso, {});
    watchdog.setAwaySwitch(club.away.get());
    const int before = club.h.count(QStringLiteral("SELECT COUNT(*) FROM Acesso"));
    watchdog.Timer1Timer();
    EXPECT_FALSE(club.away->away());

    // The network breaks: the connection is gone and so is the database's folder.
    const QString folder = club.h.db.folder();
    club.h.db.connection().close();
    ASSERT_TRUE(QDir().rename(folder, folder + QStringLiteral(".away")));
    watchdog.Timer1Timer();
    EXPECT_TRUE(club.away->away());
    EXPECT_TRUE(aviso.boxes.empty());
    EXPECT_TRUE(watchdog.enabled());
    club.h.type(kPaid);
    ASSERT_FALSE(club.h.observer.statusTexts.isEmpty());
    EXPECT_EQ(club.h.observer.statusTexts.last(), QStringLiteral("Acesso Livre"));
    EXPECT_EQ(club.h.observer.releases, 1);
    watchdog.Timer1Timer(); // still away: it only tries
    EXPECT_TRUE(club.away->away());

    ASSERT_TRUE(QDir().rename(folder + QStringLiteral(".away"), folder));
    watchdog.Timer1Timer();
    EXPECT_FALSE(club.away->away());
    EXPECT_TRUE(club.away->stripText().isEmpty());
    EXPECT_EQ(club.h.count(QStringLiteral("SELECT COUNT(*) FROM Acesso")), before + 1);
    EXPECT_TRUE(aviso.boxes.empty());
}

// Contingency off: the watchdog holds the operator with its box, as it always did.
TEST_P(WatchdogSwitch, WithoutASwitchTheSupportBoxStillComes) {
    SwitchingClub club(GetParam());
    ScriptedAviso aviso;
    int attempts = 0;
    const QString file = club.h.db.file();
    const QString folder = club.h.db.folder();
    shell::Watchdog watchdog(
        club.h.db.connection(),
        [&, route = GetParam()] {
            // The operator's second click finds the database back.
            if (++attempts == 2) {
                EXPECT_TRUE(QDir().rename(folder + QStringLiteral(".away"), folder));
            }
            return store::Result<store::ConnectionSpec>(sqliteSpec(file, route));
        },
        aviso, {});
    club.h.db.connection().close();
    ASSERT_TRUE(QDir().rename(folder, folder + QStringLiteral(".away")));
    watchdog.Timer1Timer();
    ASSERT_FALSE(aviso.boxes.empty());
    EXPECT_EQ(aviso.boxes.front().text, QStringLiteral("Entre em contato com SUPORTE !"));
    EXPECT_FALSE(club.away->away());
}

INSTANTIATE_TEST_SUITE_P(Routes, WatchdogSwitch, ::testing::Values(Route::Direct, Route::Odbc),
                         [](const auto& info) { return routeName(info.param).toStdString(); });

} // namespace
} // namespace orvalen::test
