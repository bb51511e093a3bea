#include "recording_aviso.h"
#include "shell/main_connection.h"
#include "shell/watchdog.h"
#include "store/datalink.h"
#include "support/test_database.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace orvalen::shell {
namespace {

// A club database in a folder of its own, so that the database can "go away" (the folder
// is moved) and "come back" (moved back) under a live connection.
class WatchdogTest : public ::testing::Test {
protected:
    WatchdogTest() {
        folder = root.filePath(QStringLiteral("club"));
        QDir().mkpath(folder);
        {
            test::TestDatabase db;
            // Closing the last connection writes the WAL back into the file to be copied.
            db.connection().close();
            QFile::copy(db.file(), folder + QStringLiteral("/club.db"));
        }
        connection = std::make_unique<store::ClubConnection>(
            test::sqliteSpec(folder + QStringLiteral("/club.db"), test::Route::Direct),
            QStringLiteral("watchdog"));
        EXPECT_TRUE(connection->open().ok());
        local.folder = root.path();
        writeDataLink(QStringLiteral("club/club.db"));
    }

    void writeDataLink(const QString& database) {
        QFile file(local.filePath(QStringLiteral("Orvalen.udl")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray("[oledb]\r\nProvider=SQLite;Data Source=") + database.toUtf8() +
                   QByteArray("\r\n"));
    }
    Watchdog::DataLink dataLink() {
        return [this] {
            return store::connectionSpecFromFile(local.filePath(QStringLiteral("Orvalen.udl")),
                                                 local);
        };
    }

    void databaseGone() {
        connection->close();
        ASSERT_TRUE(QDir().rename(folder, folder + QStringLiteral(".away")));
    }
    void databaseBack() { ASSERT_TRUE(QDir().rename(folder + QStringLiteral(".away"), folder)); }

    QTemporaryDir root;
    store::LocalSettings local;
    QString folder;
    std::unique_ptr<store::ClubConnection> connection;
    test::RecordingAviso aviso;
    int pumped = 0;
};

TEST_F(WatchdogTest, AHealthyDatabaseShowsNothing) {
    Watchdog watchdog(*connection, dataLink(), aviso, [this] { ++pumped; });
    watchdog.Timer1Timer();
    EXPECT_TRUE(aviso.shown.isEmpty());
    EXPECT_TRUE(watchdog.enabled());
    EXPECT_EQ(pumped, 0);
}

TEST_F(WatchdogTest, ReconnectsAfterTheDatabaseComesBackWithoutPilingUpTicks) {
    Watchdog watchdog(*connection, dataLink(), aviso, [this] { ++pumped; });
    databaseGone();
    int boxes = 0;
    aviso.whileOpen = [&] {
        EXPECT_FALSE(watchdog.enabled());
        // Ticks that arrive while the box is up do nothing.
        watchdog.Timer1Timer();
        if (++boxes == 3) {
            databaseBack();
        }
    };
    watchdog.Timer1Timer();

    const QString box =
        QStringLiteral("!|Entre em contato com SUPORTE !|") + Watchdog::supportDetail();
    EXPECT_EQ(aviso.shown, QStringList({box, box, box}));
    EXPECT_TRUE(watchdog.enabled());
    EXPECT_TRUE(connection->isOpen());
    EXPECT_EQ(pumped, 1);
    aviso.whileOpen = nullptr;
    watchdog.Timer1Timer();
    EXPECT_EQ(aviso.shown.size(), 3);
}

TEST_F(WatchdogTest, EachAttemptReadsTheDataLinkFileAgain) {
    Watchdog watchdog(*connection, dataLink(), aviso, [this] { ++pumped; });
    databaseGone();
    int boxes = 0;
    aviso.whileOpen = [&] {
        // The installer points the data link at where the database is now.
        if (++boxes == 2) {
            writeDataLink(QStringLiteral("club.away/club.db"));
        }
    };
    watchdog.Timer1Timer();

    EXPECT_EQ(boxes, 2);
    EXPECT_TRUE(watchdog.enabled());
    EXPECT_TRUE(connection->execute(QStringLiteral("SELECT CLIENTE FROM Sacvar")).ok());
    EXPECT_TRUE(connection->spec().databaseName.endsWith(QStringLiteral("club.away/club.db")));
}

TEST_F(WatchdogTest, StartUpConnectionNamesTheDataLinkFileAndLetsTheOperatorRetryOrGiveUp) {
    connection.reset();
    local.folder = root.filePath(QStringLiteral("links"));
    QDir().mkpath(local.folder);
    const QString udl = local.filePath(QStringLiteral("Orvalen.udl"));

    aviso.answers = {store::Aviso::kNo};
    EXPECT_EQ(connectMainDatabase(local, aviso), nullptr);
    ASSERT_EQ(aviso.shown.size(), 1);
    EXPECT_TRUE(
        aviso.shown[0].startsWith(QStringLiteral("?|Banco de Dados não está Ativo !|") + udl));

    // The installer writes the file while the question is up, and the operator says "Sim".
    aviso.shown.clear();
    aviso.answers = {store::Aviso::kYes};
    aviso.whileOpen = [&] {
        QFile file(udl);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("[oledb]\r\n; Everything after this line is an OLE DB "
                   "initstring\r\nProvider=SQLite;Data "
                   "Source=../club/club.db\r\n");
    };
    const auto connected = connectMainDatabase(local, aviso);
    ASSERT_NE(connected, nullptr);
    EXPECT_EQ(aviso.shown.size(), 1);
    EXPECT_TRUE(connected->execute(QStringLiteral("SELECT CLIENTE FROM Sacvar")).ok());
}

} // namespace
} // namespace orvalen::shell
