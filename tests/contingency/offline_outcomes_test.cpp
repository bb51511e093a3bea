#include "contingency/away_club.h"
#include "contingency/young_copy.h"

#include <QFile>
#include <gtest/gtest.h>

namespace orvalen::test {
namespace {

// What a person types for a catalogue number: employees of the "00" kind their short number.
QString typed(const QString& situation, const QString& number) {
    const bool shortEmployee =
        situation.startsWith(QLatin1String("employee")) && number.startsWith(QLatin1String("00"));
    return shortEmployee ? QStringLiteral("00") + QString::number(number.toLongLong()) : number;
}

QStringList identifyArguments(const QString& situation, const QString& number) {
    QStringList arguments{QStringLiteral("identify"), QStringLiteral("--at"),
                          QStringLiteral("10:00")};
    if (situation.startsWith(QLatin1String("other-branch"))) {
        arguments << QStringLiteral("--branch") << QStringLiteral("2");
    }
    return arguments << typed(situation, number);
}

// Every situation of the demo catalogue (paid, overdue, within tolerance, locked, class
// hours, partner pass, employee, visitor, other branch ...) is decided from the copy exactly
// as from the club database: the same texts, waits, rows and turnstile releases. Offline
// first, into the copy; then online, into the club database, from the same data.
TEST(OfflineOutcomes, EveryCatalogueSituationIsDecidedFromTheCopyAsFromTheClub) {
    AwayClub club;
    const auto numbers = catalogueNumbers(club.folder());
    ASSERT_GT(numbers.size(), 25);
    QStringList offline;
    club.away();
    for (const auto& [situation, number] : numbers) {
        const ToolRun run = club.tool(identifyArguments(situation, number));
        const QString strip = run.out.section(QLatin1Char('\n'), 0, 0);
        EXPECT_TRUE(strip.startsWith(QStringLiteral("Sem conexão com o banco — decisões pela "
                                                    "cópia de ")))
            << situation.toStdString() << ": " << run.out.toStdString();
        offline << QString::number(run.status) + run.out.section(QLatin1Char('\n'), 1);
    }
    club.back();
    for (qsizetype i = 0; i < numbers.size(); ++i) {
        const auto& [situation, number] = numbers[i];
        const ToolRun run = club.tool(identifyArguments(situation, number));
        EXPECT_EQ(QString(QString::number(run.status) + run.out).toStdString(),
                  offline[i].toStdString())
            << situation.toStdString() << ' ' << number.toStdString();
    }
}

// The strip's words and date form, as the terminal window shows them.
TEST(OfflineOutcomes, TheStripNamesTheCopysDayAndTime) {
    EXPECT_EQ(contingency::awayStripText(QDateTime(QDate(2026, 3, 7), QTime(8, 5, 59))),
              QStringLiteral("Sem conexão com o banco — decisões pela cópia de 07/03 08:05"));
}

// A copy older than max_age_hours, or none, decides nothing: the command fails as it did
// before contingency, naming the missing database, and creates no empty club.db.
TEST(OfflineOutcomes, ACopyTooOldOrMissingDecidesNothing) {
    AwayClub club;
    const QString paid = catalogueNumbers(club.folder()).front().second;
    club.away();
    {
        QFile ini(club.folder() + QStringLiteral("/terminal.ini"));
        ASSERT_TRUE(ini.open(QIODevice::Append));
        ini.write("max_age_hours=1\n");
    }
    // The copy's own clock says it was taken two hours ago.
    {
        store::ClubConnection copy(
            store::ConnectionSpec{QStringLiteral("QSQLITE"), club.copyPath(),
                                  store::Dialect(store::Dialect::Kind::Sqlite),
                                  QStringLiteral("test"), QString(), 0},
            QStringLiteral("aging"));
        ASSERT_TRUE(copy.open().ok());
        ASSERT_TRUE(copy.execute(QStringLiteral("UPDATE ContingencyCopy SET TAKEN_AT = :AT"),
                                 {{QStringLiteral(":AT"),
                                   QDateTime::currentDateTime().addSecs(-2 * 3600).toString(
                                       Qt::ISODateWithMs)}})
                        .ok());
    }
    const ToolRun old = club.identify(paid);
    EXPECT_EQ(old.status, 1);
    EXPECT_TRUE(old.out.contains(QStringLiteral("club.db"))) << old.out.toStdString();
    EXPECT_TRUE(old.out.contains(QStringLiteral("older than max_age_hours=1")))
        << old.out.toStdString();
    EXPECT_FALSE(old.out.contains(QStringLiteral("Acesso Livre")));

    ASSERT_TRUE(QFile::remove(club.copyPath()));
    const ToolRun none = club.identify(paid);
    EXPECT_EQ(none.status, 1);
    EXPECT_TRUE(none.out.contains(QStringLiteral("no contingency copy"))) << none.out.toStdString();
    EXPECT_FALSE(QFile::exists(club.clubPath()));
}

} // namespace
} // namespace orvalen::test
