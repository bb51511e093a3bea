#include "monitor/door_feed.h"
#include "monitor/login_guard.h"
#include "support/qstring_printer.h"

#include <gtest/gtest.h>

namespace orvalen::test {
namespace {

using namespace Qt::StringLiterals;

TEST(LoginGuard, WaitsGrowThenLockAndARightPasswordClears) {
    QDateTime now(QDate(2026, 12, 10), QTime(9, 0));
    monitor::LoginGuard guard([&] { return now; });
    EXPECT_EQ(guard.secondsToWait(u"01"_s), 0);
    // Wait after the n-th wrong try in a row.
    const struct {
        int failures;
        qint64 wait;
    } cases[] = {{1, 1}, {2, 2}, {3, 4}, {4, 8}, {5, 300}, {6, 300}};
    for (const auto& c : cases) {
        guard.failed(u"01"_s);
        EXPECT_EQ(guard.secondsToWait(u"01"_s), c.wait) << c.failures;
        // The same operator typed another way waits as well; another operator does not.
        EXPECT_EQ(guard.secondsToWait(u" 01 "_s), c.wait) << c.failures;
        EXPECT_EQ(guard.secondsToWait(u"02"_s), 0);
        now = now.addSecs(c.wait);
        EXPECT_EQ(guard.secondsToWait(u"01"_s), 0) << c.failures;
    }
    guard.failed(u"ab"_s);
    EXPECT_EQ(guard.secondsToWait(u"AB"_s), 1);
    guard.succeeded(u"01"_s);
    guard.failed(u"01"_s);
    EXPECT_EQ(guard.secondsToWait(u"01"_s), 1);
}

// A flood of guessed codes does not free a locked operator.
TEST(LoginGuard, AFloodOfOtherCodesKeepsALockedCode) {
    QDateTime now(QDate(2026, 12, 10), QTime(9, 0));
    monitor::LoginGuard guard([&] { return now; });
    for (int i = 0; i < monitor::LoginGuard::kLockAfter; ++i) {
        now = now.addSecs(guard.secondsToWait(u"01"_s));
        guard.failed(u"01"_s);
    }
    now = now.addSecs(20);
    for (std::size_t i = 0; i < 2 * monitor::LoginGuard::kRemembered; ++i) {
        guard.failed(QString::number(i));
        now = now.addMSecs(5);
    }
    EXPECT_GT(guard.secondsToWait(u"01"_s), 0);
}

desk::AccessRow accessRow(const char* table, const char* number, const char* time,
                          const char* status, const QString& obs) {
    return {QString::fromLatin1(table),
            QDate(2026, 12, 10),
            QTime::fromString(QString::fromLatin1(time), u"HH:mm:ss"_s),
            QString::fromLatin1(number),
            u"NOME"_s,
            QString::fromLatin1(status),
            obs,
            u"01"_s};
}

TEST(DoorEvents, AStudentsTwoRowsAreOnePassage) {
    const std::vector<desk::AccessRow> rows{
        // A refusal with an observation typed: the history keeps the observation.
        accessRow("Acesso", "0000000321", "09:00:00", "S", u"pagou em dinheiro"_s),
        accessRow("AcessoDia", "0000000321", "09:00:00", "S", u"Sob Consulta !!!"_s),
        // Let in, nothing typed: both rows say the outcome.
        accessRow("Acesso", "0000000400", "09:01:00", "L", u"Acesso Livre"_s),
        accessRow("AcessoDia", "0000000400", "09:01:00", "L", u"Acesso Livre"_s),
        accessRow("AcessoFuncionarios", "0000000101", "09:02:00", "", u"<img src=x>"_s),
        accessRow("AcessoDia", "9999999999", "09:03:00", "V", u""_s),
        accessRow("AcessoVisitantes", "", "09:03:00", "V", u"321-Sob Consulta !!!"_s),
        // Outside hours: status H is a refusal too.
        accessRow("AcessoDia", "0000000500", "09:04:00", "H", u"Fora de Hora !!!"_s),
    };
    const std::vector<monitor::DoorEvent> events = monitor::doorEvents(rows);
    const struct {
        const char* kind;
        const char* number;
        QString outcome;
        QString observation;
        bool refused;
    } expected[] = {
        {"aluno", "0000000321", u"Sob Consulta !!!"_s, u"pagou em dinheiro"_s, true},
        {"aluno", "0000000400", u"Acesso Livre"_s, u""_s, false},
        {"funcionario", "0000000101", u"Acesso Livre"_s, u"<img src=x>"_s, false},
        {"visitante", "", u"Visitante"_s, u"321-Sob Consulta !!!"_s, false},
        {"aluno", "0000000500", u"Fora de Hora !!!"_s, u""_s, true},
    };
    ASSERT_EQ(events.size(), std::size(expected));
    for (std::size_t i = 0; i < events.size(); ++i) {
        EXPECT_EQ(events[i].kind, QString::fromLatin1(expected[i].kind)) << i;
        EXPECT_EQ(events[i].row.number, QString::fromLatin1(expected[i].number)) << i;
        EXPECT_EQ(events[i].outcome, expected[i].outcome) << i;
        EXPECT_EQ(events[i].observation, expected[i].observation) << i;
        EXPECT_EQ(events[i].refused, expected[i].refused) << i;
    }
}

TEST(DoorEvents, TwoPassagesInTheSameSecondStayTwo) {
    const std::vector<desk::AccessRow> rows{
        // In the order the rows are read: each table's, then by time.
        accessRow("Acesso", "0000000321", "09:00:00", "L", u"Acesso Livre"_s),
        accessRow("Acesso", "0000000321", "09:00:00", "S", u"cartão esquecido"_s),
        accessRow("AcessoDia", "0000000321", "09:00:00", "L", u"Acesso Livre"_s),
        accessRow("AcessoDia", "0000000321", "09:00:00", "S", u"Sob Consulta !!!"_s),
    };
    const std::vector<monitor::DoorEvent> events = monitor::doorEvents(rows);
    ASSERT_EQ(events.size(), 2u);
    EXPECT_FALSE(events[0].refused);
    EXPECT_EQ(events[0].outcome, u"Acesso Livre"_s);
    EXPECT_TRUE(events[1].refused);
    EXPECT_EQ(events[1].outcome, u"Sob Consulta !!!"_s);
    EXPECT_EQ(events[1].observation, u"cartão esquecido"_s);
}

} // namespace
} // namespace orvalen::test
