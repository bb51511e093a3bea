#include "store/connection.h"
#include "support/doctor_installation.h"
#include "support/test_database.h"

#include <QCryptographicHash>
#include <QFile>
#include <gtest/gtest.h>

namespace orvalen::test {
namespace {

QByteArray fingerprintOf(const QString& file) {
    QFile in(file);
    return in.open(QIODevice::ReadOnly)
               ? QCryptographicHash::hash(in.readAll(), QCryptographicHash::Sha256)
               : QByteArray();
}

// The journal mode an SQLite file keeps in its header: 1 rollback journal, 2 write-ahead log.
int journalFormat(const QString& file) {
    QFile in(file);
    return in.open(QIODevice::ReadOnly) ? int(in.read(20).at(18)) : -1;
}

QString firstStudent(const DemoInstallation& installation) {
    store::ClubConnection club(
        sqliteSpec(installation.file(QStringLiteral("club.db")), Route::Direct),
        QStringLiteral("read-only-test"), store::OpenMode::ReadOnly);
    EXPECT_TRUE(club.open().ok());
    auto rows = club.execute(QStringLiteral("SELECT MIN(MATRICULA) FROM AlunosAtivos"));
    return rows.ok() && rows->next() ? rows->value(0).toString() : QString();
}

// The commands that only look at the club, with the folder and a member to look at.
QList<QStringList> lookingCommands(const QString& folder, const QString& member) {
    const QStringList at{QStringLiteral("--datalink-dir"), folder};
    return {QStringList{QStringLiteral("doctor")} + at,
            QStringList{QStringLiteral("explain")} + at + QStringList{member},
            QStringList{QStringLiteral("log")} + at,
            QStringList{QStringLiteral("identify")} + at +
                QStringList{QStringLiteral("--dry-run"), member}};
}

// A club kept with a rollback journal (the back office's choice) stays byte for byte as it
// was, journal mode included, whatever the looking commands find.
TEST(ReadOnlyCommands, LeaveTheClubDatabaseFileAsTheyFoundIt) {
    const DemoInstallation installation;
    const QString file = installation.file(QStringLiteral("club.db"));
    const QString member = firstStudent(installation);
    ASSERT_FALSE(member.isEmpty());
    installation.change(QStringLiteral("PRAGMA journal_mode = DELETE"));
    ASSERT_EQ(journalFormat(file), 1);
    const QByteArray before = fingerprintOf(file);
    for (const QStringList& command : lookingCommands(installation.folder(), member)) {
        SCOPED_TRACE(command.first().toStdString());
        const ToolRun run = runToolHere(command);
        EXPECT_EQ(journalFormat(file), 1) << "switched to a write-ahead log";
        EXPECT_EQ(fingerprintOf(file), before) << "the file changed";
        EXPECT_FALSE(QFile::exists(file + QStringLiteral("-wal")));
    }
}

// A data link naming a file that is not there makes no command create it: only `demo create`
// makes a club.
TEST(ReadOnlyCommands, NoCommandCreatesTheDatabaseADataLinkNames) {
    const DemoInstallation installation;
    const QString member = firstStudent(installation);
    installation.write(QStringLiteral("Orvalen.udl"),
                       "[oledb]\r\nProvider=SQLite;Data Source=elsewhere.db\r\n");
    const QString missing = installation.file(QStringLiteral("elsewhere.db"));
    QList<QStringList> commands = lookingCommands(installation.folder(), member);
    commands << QStringList{QStringLiteral("identify"), QStringLiteral("--datalink-dir"),
                            installation.folder(), member};
    for (const QStringList& command : commands) {
        SCOPED_TRACE(command.join(u' ').toStdString());
        const ToolRun run = runToolHere(command);
        EXPECT_NE(run.status, 0) << run.out.toStdString();
        EXPECT_TRUE(run.out.contains(missing)) << run.out.toStdString();
        EXPECT_FALSE(QFile::exists(missing));
    }
}

} // namespace
} // namespace orvalen::test
