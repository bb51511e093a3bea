#include "store/class_lookups.h"
#include "store/db_values.h"
#include "store/payment_lookups.h"
#include "support/test_database.h"

#include <gtest/gtest.h>

namespace orvalen::test {
namespace {

const QString kStudent = QStringLiteral("0000000101");
const QDate kToday(2021, 3, 15);

QString s(const char* text) {
    return QString::fromUtf8(text);
}

// Every lookup of the decision rules on a real file, directly and through the ODBC path.
class DecisionLookupsTest : public ::testing::TestWithParam<Route> {
protected:
    DecisionLookupsTest() : db(GetParam()) {}

    QVariant date(const QDate& day) { return store::dateValue(db.connection().dialect(), day); }
    QVariant time(const QTime& at) { return store::timeOfDayValue(db.connection().dialect(), at); }

    TestDatabase db;
};

TEST_P(DecisionLookupsTest, ClassesBookingsAndActivities) {
    db.exec(s("INSERT INTO Turma (CODIGO, HORA_INICIAL, HORA_FINAL, TOLERANCIA_ENTRADA, SEG, SAB) "
              "VALUES ('NOITE', :I, :F, 15, 1, 1)"),
            {{s(":I"), time(QTime(19, 0))}, {s(":F"), time(QTime(20, 0))}});
    db.exec(s(
        "INSERT INTO ATIVIDADES (CODIGO, DESCRICAO) VALUES ('05', 'Spinning'), ('07', 'Pilates')"));
    db.exec(s("INSERT INTO ALUNOSATIVIDADES (MATRICULA, ATIVIDADE) VALUES (:M, '07'), (:M, '05'), "
              "(:M, '09')"),
            {{s(":M"), kStudent}});
    db.exec(s("INSERT INTO AulasColetivas (Codigo, Cliente, HORA_INICIAL, HORA_FINAL) VALUES "
              "(1, 1, :LATE, :LATE), (2, 1, :EARLY, :EARLY), (2, 2, :EARLY, :EARLY)"),
            {{s(":LATE"), time(QTime(19, 0))}, {s(":EARLY"), time(QTime(8, 0))}});
    db.exec(
        s("INSERT INTO FrequenciaAula (MATRICULA, DATA, CLIENTE, Codigo_Aula, ATIVIDADE) VALUES "
          "(:M, :D, 1, 1, '07 Pilates'), (:M, :D, 1, 2, '05 Spinning'), (:M, :Y, 1, 2, '05')"),
        {{s(":M"), kStudent}, {s(":D"), date(kToday)}, {s(":Y"), date(kToday.addDays(-1))}});
    db.exec(s("INSERT INTO AcessoDia (MATRICULA, DATA, HORA, STATUS) VALUES "
              "(:M, :D, :A, 'L'), (:M, :D, :B, 'S'), (:M, :Y, :A, 'L')"),
            {{s(":M"), kStudent},
             {s(":D"), date(kToday)},
             {s(":Y"), date(kToday.addDays(-1))},
             {s(":A"), time(QTime(9, 0))},
             {s(":B"), time(QTime(9, 30))}});

    const store::ClassLookups lookups(db.connection());
    const auto turma = lookups.turma(s("NOITE"));
    ASSERT_TRUE(turma.ok()) << turma.error().message.toStdString();
    ASSERT_TRUE(turma->has_value());
    EXPECT_EQ(turma.value()->horaInicial, QTime(19, 0));
    EXPECT_EQ(turma.value()->toleranciaEntrada, 15.0);
    EXPECT_EQ(turma.value()->toleranciaSaida, 0.0);
    EXPECT_EQ(turma.value()->days,
              (std::array<bool, 7>{true, false, false, false, false, true, false}));
    EXPECT_FALSE(lookups.turma(s("noite"))->has_value());
    EXPECT_FALSE(lookups.turma(s("NOIT"))->has_value());

    // Today's bookings at this club, the earliest first.
    const auto bookings = lookups.bookings(kStudent, kToday, 1.0);
    ASSERT_TRUE(bookings.ok()) << bookings.error().message.toStdString();
    ASSERT_EQ(bookings->size(), 2u);
    EXPECT_EQ(bookings->front().atividade, s("05 Spinning"));
    EXPECT_EQ(bookings->front().horaInicial, QTime(8, 0));
    EXPECT_TRUE(lookups.bookings(kStudent, kToday, 3.0)->empty());

    EXPECT_TRUE(lookups.holdsDescribedActivity(kStudent, s("05")).value());
    EXPECT_FALSE(lookups.holdsDescribedActivity(kStudent, s("09")).value()); // no description
    EXPECT_TRUE(lookups.holdsActivity(kStudent, s("09")).value());
    EXPECT_FALSE(lookups.holdsActivity(kStudent, s("01")).value());
    EXPECT_EQ(lookups.activityDescriptions(kStudent).value(),
              (QStringList{s("Spinning"), s("Pilates")}));

    const auto granted = lookups.grantedOn(kStudent, kToday);
    ASSERT_TRUE(granted.ok());
    ASSERT_EQ(granted->size(), 1u);
    EXPECT_EQ(granted->front().hora.time(), QTime(9, 0));
}

// Class hours as other back-office versions and SQL Server time columns store them: each
// is the time of day it says, and one that is no time is named, never taken for 0:00.
TEST_P(DecisionLookupsTest, ClassHoursInEveryStoredForm) {
    // Through ODBC the SQLite driver turns text in a time column into a time itself, so
    // text that is no time reaches the terminal only on the direct route.
    struct Case {
        const char* stored;
        QTime start; // invalid: unreadable
    };
    const Case cases[] = {
        {"1899-12-30 10:00:00.000", QTime(10, 0)}, {"10:00:00", QTime(10, 0)},
        {"1899-12-30 10:00", QTime(10, 0)},        {"10:00:00.0000000", QTime(10, 0)},
        {"2026-12-09T10:00:00", QTime(10, 0)},     {"ten o'clock", QTime()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored);
        if (!c.start.isValid() && GetParam() != Route::Direct) {
            continue;
        }
        db.exec(s("DELETE FROM Turma"));
        db.exec(s("INSERT INTO Turma (CODIGO, HORA_INICIAL, HORA_FINAL) VALUES ('T', :I, :F)"),
                {{s(":I"), s(c.stored)}, {s(":F"), time(QTime(11, 0))}});
        const auto turma = store::ClassLookups(db.connection()).turma(s("T"));
        ASSERT_TRUE(turma.ok() && turma->has_value());
        EXPECT_EQ(turma.value()->horaInicial, c.start);
        EXPECT_EQ(turma.value()->horaFinal, QTime(11, 0));
        EXPECT_EQ(turma.value()->unreadable.isEmpty(), c.start.isValid());
    }
}

TEST_P(DecisionLookupsTest, ReceiptsCountsAndReleases) {
    db.exec(
        s("INSERT INTO RECEB (MATRICULA, MES, ANO) VALUES (:M, '03', '2021'), (:M, '12', '2020'), "
          "(:M, 'xx', '2021')"),
        {{s(":M"), kStudent}});
    db.exec(
        s("INSERT INTO AcessoDia (MATRICULA, DATA, STATUS) VALUES (:M, :D, 'L'), (:M, :Y, 'L'), "
          "(:M, :D, 'H'), ('0000000202', :D, 'L')"),
        {{s(":M"), kStudent}, {s(":D"), date(kToday)}, {s(":Y"), date(kToday.addDays(-3))}});
    db.exec(s("INSERT INTO LiberaGympass (Matricula, Data) VALUES (:M, :Y)"),
            {{s(":M"), kStudent}, {s(":Y"), date(kToday.addDays(-1))}});

    const store::PaymentLookups lookups(db.connection());
    EXPECT_TRUE(lookups.paid(kStudent, 3, 2021).value());
    EXPECT_FALSE(lookups.paid(kStudent, 4, 2021).value());
    EXPECT_FALSE(lookups.paid(s("0000000202"), 3, 2021).value());
    const auto months = lookups.receipts(kStudent);
    ASSERT_TRUE(months.ok());
    ASSERT_EQ(months->size(), 2u);
    EXPECT_EQ(lookups.grantedCount(kStudent).value(), 2); // whatever the date
    EXPECT_FALSE(lookups.partnerPassRelease(kStudent, kToday).value());
    EXPECT_TRUE(lookups.partnerPassRelease(kStudent, kToday.addDays(-1)).value());
}

INSTANTIATE_TEST_SUITE_P(BothRoutes, DecisionLookupsTest,
                         ::testing::Values(Route::Direct, Route::Odbc),
                         [](const auto& info) { return routeName(info.param).toStdString(); });

} // namespace
} // namespace orvalen::test
