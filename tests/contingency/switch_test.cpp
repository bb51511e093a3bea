#include "contingency/switching_club.h"
#include "support/fault_injector.h"

#include <QElapsedTimer>
#include <QFile>
#include <gtest/gtest.h>
#include <iostream>

namespace orvalen::test {
namespace {

// The connection dropped before each statement of an identification in turn, with the club
// database gone: the member is still let in, decided from the copy within 5 s, with no box,
// and the rows wait in the outbox (or were written before the drop, never both: the club
// holds each row once after the replay).
TEST(SwitchToCopy, AConnectionDroppedMidIdentificationDecidesFromTheCopy) {
    int statements = 0;
    {
        SwitchingClub clean;
        FaultInjector counter(clean.h.db.connection());
        counter.arm(Fault::None, 0);
        clean.h.type(kPaid);
        statements = counter.statements();
        ASSERT_EQ(clean.h.observer.statusTexts.last(), QStringLiteral("Acesso Livre"));
    }
    ASSERT_GT(statements, 3);
    for (int drop = 1; drop <= statements; ++drop) {
        SCOPED_TRACE(drop);
        SwitchingClub club;
        const int before = club.h.count(QStringLiteral("SELECT COUNT(*) FROM Acesso"));
        FaultInjector injector(club.h.db.connection());
        club.takeAway();
        injector.arm(Fault::Drop, drop);
        QElapsedTimer timer;
        timer.start();
        club.h.type(kPaid);
        const qint64 took = timer.elapsed();
        EXPECT_TRUE(injector.fired());
        EXPECT_LT(took, 5000);
        ASSERT_FALSE(club.h.observer.statusTexts.isEmpty());
        EXPECT_EQ(club.h.observer.statusTexts.last(), QStringLiteral("Acesso Livre"));
        EXPECT_EQ(club.h.observer.releases, 1);
        EXPECT_TRUE(club.h.aviso.boxes.empty()) << club.h.aviso.boxes.front().text.toStdString();
        EXPECT_TRUE(club.away->away());
        EXPECT_TRUE(club.away->stripText().startsWith(
            QStringLiteral("Sem conexão com o banco — decisões pela cópia de 15/03 10:00")));
        // A drop after the commit finds the rows in the club database already.
        const int offline = club.waiting();
        EXPECT_TRUE(offline == 1 || drop == statements) << offline;

        // The next person at the usual pace, from the copy; then the club back and both
        // replayed, the earlier rows once.
        QElapsedTimer next;
        next.start();
        club.h.type(kPaid);
        std::cout << (drop == 1 ? "[ figures  ] switched in " + std::to_string(took) +
                                      " ms, next decision from the copy in " +
                                      std::to_string(next.elapsed()) + " ms\n"
                                : std::string());
        EXPECT_EQ(club.waiting(), offline + 1);
        club.bringBack();
        ASSERT_TRUE(club.away->tryBack());
        EXPECT_FALSE(club.away->away());
        EXPECT_EQ(club.h.count(QStringLiteral("SELECT COUNT(*) FROM Acesso")), before + 2);
        EXPECT_EQ(club.waiting(), 0);
        const QString log = club.h.errorLog.messages.join(QLatin1Char('\n'));
        EXPECT_TRUE(log.contains(QStringLiteral("deciding from the contingency copy of 15/03/2021 "
                                                "10:00")))
            << log.toStdString();
        EXPECT_TRUE(
            log.contains(QStringLiteral("club database back: %1 people decided").arg(offline + 1)))
            << log.toStdString();
    }
}

// A statement that fails while the club database answers is the statement's own fault:
// nothing switches, the identification ends as it always did.
TEST(SwitchToCopy, AFailureWhileTheClubAnswersSwitchesNothing) {
    SwitchingClub club;
    FaultInjector injector(club.h.db.connection());
    injector.arm(Fault::FailStatement, 2);
    club.h.type(kPaid);
    EXPECT_FALSE(club.away->away());
    EXPECT_EQ(club.h.observer.releases, 0);
    EXPECT_TRUE(
        club.h.errorLog.messages.join(QLatin1Char('\n')).contains(FaultInjector::injectedText()));
}

// A copy older than max_age_hours: the club gone means what it meant before.
TEST(SwitchToCopy, ACopyTooOldIsNotUsed) {
    SwitchingClub club;
    club.h.clock.advance(25 * 3600 * 1000);
    FaultInjector injector(club.h.db.connection());
    club.takeAway();
    injector.arm(Fault::Drop, 1);
    club.h.type(kPaid);
    EXPECT_FALSE(club.away->away());
    EXPECT_EQ(club.h.observer.releases, 0);
    EXPECT_TRUE(club.h.errorLog.messages.join(QLatin1Char('\n'))
                    .contains(QStringLiteral("older than max_age_hours=24")));
}

} // namespace
} // namespace orvalen::test
