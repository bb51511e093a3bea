#include "contingency/away_club.h"
#include "contingency/away_switch.h"
#include "shell/login_logic.h"
#include "shell/main_connection.h"
#include "support/screen_services.h"

#include <QDate>
#include <QFile>
#include <gtest/gtest.h>

namespace orvalen::test {
namespace {

struct Started {
    std::unique_ptr<store::ClubConnection> connection;
    std::unique_ptr<contingency::AwaySwitch> away;
};

// The terminal's start: the main connection, or the copy when the club does not answer.
Started start(const store::LocalSettings& local, store::Aviso& aviso, store::ErrorLog& log) {
    Started started;
    started.connection = shell::connectMainDatabase(
        local, aviso, [&](store::ClubConnection& unopened, const QString& why) {
            started.away = std::make_unique<contingency::AwaySwitch>(
                unopened, local.contingency, log, &QDateTime::currentDateTime);
            if (!started.away->switchToCopy(why)) {
                started.away.reset();
            }
            return started.away != nullptr;
        });
    return started;
}

// Started while the club database is away: no box, the connection on the copy, and the
// operator logs in from it (the demo's operator 01, password 1234) with the cash period
// checked there.
TEST(StartupAway, TheTerminalOpensOnAYoungCopyAndTheOperatorLogsIn) {
    AwayClub club;
    club.away();
    const auto local = store::LocalSettings::load(club.folder());
    ASSERT_TRUE(local.ok());
    ScriptedAviso aviso;
    RecordingErrorLog log;
    Started started = start(local.value(), aviso, log);
    ASSERT_NE(started.connection, nullptr);
    ASSERT_NE(started.away, nullptr);
    EXPECT_TRUE(started.away->away());
    EXPECT_TRUE(aviso.boxes.empty());

    terminal::TerminalUnit unit;
    shell::LoginLogic login(*started.connection, local.value(), aviso, unit,
                            [] { return QDate::currentDate(); });
    ASSERT_TRUE(login.FormShow());
    login.state().EDTCODIGOUSUARIO = QStringLiteral("01");
    login.EDTCODIGOUSUARIOKeyPress(QChar(13));
    login.state().EDTSENHA = QStringLiteral("1234");
    login.EDTSENHAKeyPress(QChar(13));
    EXPECT_TRUE(login.loginOk());
    EXPECT_TRUE(aviso.boxes.empty()) << aviso.boxes.front().text.toStdString();
    EXPECT_FALSE(QFile::exists(club.clubPath()));
}

// Without a copy the start is what it was: the box, and "Não" ends the application.
TEST(StartupAway, WithoutACopyTheBoxAsksAsBefore) {
    AwayClub club;
    club.away();
    ASSERT_TRUE(QFile::remove(club.copyPath()));
    const auto local = store::LocalSettings::load(club.folder());
    ASSERT_TRUE(local.ok());
    ScriptedAviso aviso;
    aviso.answers.push_back(store::Aviso::kNo);
    RecordingErrorLog log;
    Started started = start(local.value(), aviso, log);
    EXPECT_EQ(started.connection, nullptr);
    ASSERT_EQ(aviso.boxes.size(), 1u);
    EXPECT_EQ(aviso.boxes.front().text, QStringLiteral("Banco de Dados não está Ativo !"));
    EXPECT_FALSE(QFile::exists(club.clubPath()));
}

} // namespace
} // namespace orvalen::test
