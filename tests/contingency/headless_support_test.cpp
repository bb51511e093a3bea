#include "contingency/away_club.h"

#include <QFile>
#include <gtest/gtest.h>

namespace orvalen::test {
namespace {

QString numberOf(const AwayClub& club, const QString& situation) {
    for (const auto& [name, number] : catalogueNumbers(club.folder())) {
        if (name == situation) {
            return number;
        }
    }
    ADD_FAILURE() << "no " << situation.toStdString() << " in the catalogue";
    return {};
}

// As a support person would: the copy taken, the database gone, a paid and an overdue
// member decided from the copy, the database back, the rows replayed once.
TEST(HeadlessSupport, DecidedFromTheCopyWhileAwayAndReplayedOnceWhenBack) {
    AwayClub club;
    const QString paid = numberOf(club, QStringLiteral("paid"));
    const QString overdue = numberOf(club, QStringLiteral("overdue"));
    const int before = club.clubValue(QStringLiteral("SELECT COUNT(*) FROM Acesso")).toInt();

    club.away();
    const ToolRun in = club.identify(paid, QStringLiteral("09:15:30"));
    EXPECT_EQ(in.status, 0) << in.out.toStdString();
    EXPECT_TRUE(in.out.contains(QStringLiteral("status panel: Acesso Livre")));
    EXPECT_TRUE(in.out.contains(QStringLiteral("turnstile release requested")));
    const ToolRun out = club.identify(overdue, QStringLiteral("09:16:00"));
    EXPECT_TRUE(out.out.contains(QStringLiteral("status panel: Sob Consulta !!!")))
        << out.out.toStdString();
    EXPECT_FALSE(out.out.contains(QStringLiteral("turnstile release requested")));

    const ToolRun waiting = club.contingency(QStringLiteral("status"));
    EXPECT_TRUE(waiting.out.contains(QStringLiteral("waiting to be replayed: 2")))
        << waiting.out.toStdString();
    // Neither the replay nor the doctor makes an empty database where the club's was.
    EXPECT_EQ(club.contingency(QStringLiteral("replay")).status, 1);
    const ToolRun doctor = club.demo().doctor();
    EXPECT_TRUE(doctor.out.contains(QStringLiteral("2 access-log writes made while the club "
                                                   "database was away")))
        << doctor.out.toStdString();
    EXPECT_FALSE(QFile::exists(club.clubPath()));

    club.back();
    const ToolRun replayed = club.contingency(QStringLiteral("replay"));
    EXPECT_EQ(replayed.status, 0) << replayed.out.toStdString();
    EXPECT_TRUE(replayed.out.contains(QStringLiteral("replayed 2 writes")))
        << replayed.out.toStdString();
    const ToolRun again = club.contingency(QStringLiteral("replay"));
    EXPECT_TRUE(again.out.contains(QStringLiteral("replayed 0 writes"))) << again.out.toStdString();

    EXPECT_EQ(club.clubValue(QStringLiteral("SELECT COUNT(*) FROM Acesso")).toInt(), before + 2);
    // The time of the decision, not of the replay: typed at 09:15:30, written after the
    // identification's own waits.
    const QString row = club.clubValue(QStringLiteral("SELECT STATUS || ' ' || DATA || ' ' || "
                                                      "HORA FROM Acesso WHERE MATRICULA = '%1'")
                                           .arg(paid))
                            .toString();
    EXPECT_TRUE(row.startsWith(QStringLiteral("L %1 00:00:00.000 1899-12-30 09:15:3")
                                   .arg(QDate::currentDate().toString(Qt::ISODate))))
        << row.toStdString();
    EXPECT_EQ(
        club.clubValue(
                QStringLiteral("SELECT STATUS FROM AcessoDia WHERE MATRICULA = '%1'").arg(overdue))
            .toString(),
        QStringLiteral("S"));
    // The ledger tells which rows were decided offline.
    EXPECT_EQ(club.clubValue(QStringLiteral("SELECT GROUP_CONCAT(MATRICULA) FROM "
                                            "ContingencyLedger"))
                  .toString(),
              paid + QLatin1Char(',') + overdue);
    EXPECT_TRUE(club.contingency(QStringLiteral("status"))
                    .out.contains(QStringLiteral("waiting to be replayed: 0")));
}

TEST(HeadlessSupport, DoctorAndStatusSayWhetherContingencyIsOn) {
    AwayClub club;
    const ToolRun doctor = club.demo().doctor();
    EXPECT_EQ(doctor.status, 0) << doctor.out.toStdString();
    const ToolRun status = club.contingency(QStringLiteral("status"));
    EXPECT_EQ(status.status, 0);
    EXPECT_TRUE(status.out.contains(QStringLiteral("contingency: on")));
    EXPECT_TRUE(status.out.contains(QStringLiteral("waiting to be replayed: 0")));

    club.demo().write(QStringLiteral("terminal.ini"), "[contingency]\nenabled=perhaps\n");
    const ToolRun refused = club.demo().doctor();
    EXPECT_NE(refused.status, 0);
    EXPECT_TRUE(refused.out.contains(QStringLiteral("\"perhaps\" as [contingency] enabled")))
        << refused.out.toStdString();
    EXPECT_EQ(club.contingency(QStringLiteral("refresh")).status, 1);
    // Off: the database gone means what it meant before.
    club.away();
    const ToolRun off = club.identify(numberOf(club, QStringLiteral("paid")));
    EXPECT_EQ(off.status, 1);
    EXPECT_FALSE(off.out.contains(QStringLiteral("Acesso Livre")));
}

// A partner-pass release used at another turnstile while this one decided from the copy:
// the person passed, so the rows stay; the conflict goes to the exception log and the ledger.
TEST(HeadlessSupport, AReleaseUsedElsewhereMeanwhileIsAConflictAndTheRowsStay) {
    AwayClub club;
    const QString member = numberOf(club, QStringLiteral("gympass-released"));
    club.away();
    const ToolRun in = club.identify(member);
    EXPECT_TRUE(in.out.contains(QStringLiteral("status panel: Acesso Livre")))
        << in.out.toStdString();
    // Used up in the copy: the same release does not let the member in twice offline.
    const ToolRun twice = club.identify(member, QStringLiteral("10:05"));
    EXPECT_FALSE(twice.out.contains(QStringLiteral("status panel: Acesso Livre")))
        << twice.out.toStdString();
    club.back();
    club.demo().change(
        QStringLiteral("DELETE FROM LiberaGympass WHERE Matricula = '%1'").arg(member));
    const ToolRun replayed = club.contingency(QStringLiteral("replay"));
    EXPECT_EQ(replayed.status, 0) << replayed.out.toStdString();
    EXPECT_TRUE(replayed.out.contains(QStringLiteral("1 conflicts"))) << replayed.out.toStdString();
    EXPECT_EQ(club.clubValue(QStringLiteral("SELECT COUNT(*) FROM Acesso WHERE MATRICULA = '%1' "
                                            "AND STATUS = 'L'")
                                 .arg(member))
                  .toInt(),
              1);
    EXPECT_TRUE(club.clubValue(QStringLiteral("SELECT CONFLITO FROM ContingencyLedger WHERE "
                                              "CONFLITO IS NOT NULL"))
                    .toString()
                    .contains(member));
}

} // namespace
} // namespace orvalen::test
