#include "support/decision_harness.h"
#include "support/qstring_printer.h"
#include "support/time_zone.h"

#include <gtest/gtest.h>

namespace orvalen::test {
namespace {

const QString kStudent = QStringLiteral("0000000101");
const QString kEmployee = QStringLiteral("0000012345");

QString s(const char* text) {
    return QString::fromUtf8(text);
}

int rowsWritten(DecisionHarness& h) {
    return h.count(s("SELECT COUNT(*) FROM Acesso")) +
           h.count(s("SELECT COUNT(*) FROM AcessoDia")) +
           h.count(s("SELECT COUNT(*) FROM AcessoFuncionarios")) +
           h.count(s("SELECT COUNT(*) FROM AcessoVisitantes"));
}

QStringList mentioning(const QStringList& messages, const QString& word) {
    return messages.filter(word);
}

// A date of a person's record in a form the old reader did not know, or no date at all:
// where a filled date refuses, the person is refused, and a value that is no date is
// written to the exception log once, however often the person comes back.
struct PersonDateCase {
    const char* name;
    bool employee;
    const char* column;
    QVariant stored;
    const char* refusal; // on the access or the information panel
    bool noDate;         // written to the exception log
    std::function<void(DecisionHarness&)> settings = [](DecisionHarness&) {};
};

void PrintTo(const PersonDateCase& c, std::ostream* os) {
    *os << c.name;
}

void medicalBlock(DecisionHarness& h) {
    h.setSacvar("ACESSO_MEDICA", s("Sim"));
    h.setSacvar("PRAZOAVALMED", 12);
    h.setSacvar("TOLERANCIA_AVALIACAO", 30);
    h.setSacvar("BLOQUEIA_AVALIACAO_ACESSO", s("MÉDICA"));
}

class PersonDateTest : public ::testing::TestWithParam<PersonDateCase> {};

TEST_P(PersonDateTest, FilledDateRefusesInEveryForm) {
    const PersonDateCase& c = GetParam();
    DecisionHarness h; // business date 15/03/2021
    QVariantMap columns{{s(c.column), c.stored}};
    if (c.employee) {
        h.addEmployee(kEmployee, columns);
    } else {
        if (QLatin1String(c.column) == QLatin1String("VALIDADE_BOLSA")) {
            columns.insert(s("BOLSISTA"), 1);
        }
        // Enrolled days ago: without an assessment the tolerance still runs.
        columns.insert(s("DATA_CADASTRADO"), QDate(2021, 3, 10));
        h.addStudent(kStudent, columns);
    }
    c.settings(h);
    h.open();
    for (int visit = 0; visit < 2; ++visit) {
        h.type(c.employee ? s("0012345") : kStudent);
    }

    const QStringList shown = h.observer.statusTexts + h.observer.informationTexts;
    EXPECT_TRUE(shown.contains(s(c.refusal))) << shown.join(s(" | ")).toStdString();
    EXPECT_FALSE(h.observer.statusTexts.contains(s("Acesso Livre")));
    EXPECT_TRUE(h.outputs.pulses.empty());
    const QStringList logged = mentioning(h.errorLog.messages, s(c.column));
    if (c.noDate) {
        ASSERT_EQ(logged.size(), 1) << h.errorLog.messages.join(s(" | ")).toStdString();
        EXPECT_TRUE(logged[0].contains(c.employee ? kEmployee : kStudent));
        EXPECT_TRUE(logged[0].contains(c.stored.toString()));
    } else {
        EXPECT_TRUE(h.errorLog.messages.isEmpty())
            << h.errorLog.messages.join(s(" | ")).toStdString();
    }
}

const char* const kLocked = "Matrícula Trancada !!!";
const char* const kLeft = "Inativo !!!";
const char* const kDismissed = "Sem acesso !!!";

INSTANTIATE_TEST_SUITE_P(
    Forms, PersonDateTest,
    ::testing::Values(
        PersonDateCase{"dismissed_datetime2", true, "DATA_DEMISSAO",
                       s("2026-10-31 00:00:00.0000000"), kDismissed, false},
        PersonDateCase{"dismissed_smalldatetime", true, "DATA_DEMISSAO", s("2026-10-31 00:00"),
                       kDismissed, false},
        PersonDateCase{"dismissed_iso_z", true, "DATA_DEMISSAO", s("2026-10-31T00:00:00.000Z"),
                       kDismissed, false},
        PersonDateCase{"dismissed_offset", true, "DATA_DEMISSAO", s("2026-10-31 00:00:00+00:00"),
                       kDismissed, false},
        PersonDateCase{"dismissed_brazilian", true, "DATA_DEMISSAO", s("31/10/2026"), kDismissed,
                       false},
        PersonDateCase{"dismissed_day_count", true, "DATA_DEMISSAO", QVariant(46000), kDismissed,
                       true},
        PersonDateCase{"locked_datetime2", false, "DATA_TRANCAMENTO",
                       s("2021-03-01 00:00:00.0000000"), kLocked, false},
        PersonDateCase{"locked_brazilian", false, "DATA_TRANCAMENTO", s("01/03/2021"), kLocked,
                       false},
        PersonDateCase{"locked_no_date", false, "DATA_TRANCAMENTO", s("garbage"), kLocked, true},
        PersonDateCase{"left_iso_t", false, "SAIDA", s("2021-03-01T00:00:00"), kLeft, false},
        PersonDateCase{"left_no_date", false, "SAIDA", s("0000-00-00"), kLeft, true},
        PersonDateCase{"transfer_over_offset", false, "REPASSE", s("2021-03-14T00:00:00.000Z"),
                       "Fim de Repasse !!!", false},
        PersonDateCase{"transfer_no_date", false, "REPASSE", s("sem data"), "Fim de Repasse !!!",
                       true},
        PersonDateCase{"scholarship_over_brazilian", false, "VALIDADE_BOLSA", s("14/03/2021"),
                       "Fora Validade !!!", false},
        PersonDateCase{"scholarship_no_date", false, "VALIDADE_BOLSA", s("46000"),
                       "Fora Validade !!!", true},
        PersonDateCase{"medical_of_unknown_day_blocks", false, "DATA_MEDICA", s("garbage"),
                       "Avaliação Bloqueada !!!", true, medicalBlock}),
    [](const auto& info) { return std::string(info.param.name); });

// With no business date the terminal cannot date a single row: everyone is refused, the
// refusal and its reason go to the exception log, and no row is written.
TEST(BusinessDate, WithoutOneEveryIdentificationIsRefused) {
    const struct {
        const char* name;
        std::optional<QVariant> opened; // none: caixa has no row
        const char* logMentions;
    } cases[] = {
        {"empty", QVariant(QMetaType::fromType<QString>()), "DATAABERTURA"},
        {"garbage", s("garbage"), "\"garbage\""},
        {"zero date of another server", s("0000-00-00"), "\"0000-00-00\""},
        {"no cash period", std::nullopt, "caixa"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        DecisionHarness h;
        h.addStudent(kStudent);
        h.addEmployee(kEmployee);
        h.db.exec(s("DELETE FROM caixa"));
        if (c.opened) {
            h.insert("caixa", {{s("OPERADOR"), s("01")}, {s("DATAABERTURA"), *c.opened}});
        }
        h.open();
        for (const char* typed : {"0000000101", "0012345", "9999999999"}) {
            h.type(s(typed));
        }
        EXPECT_EQ(h.observer.informationTexts, QStringList(3, s("Abertura de tabela !")));
        EXPECT_FALSE(h.observer.statusTexts.contains(s("Acesso Livre")));
        EXPECT_TRUE(h.outputs.pulses.empty());
        EXPECT_EQ(rowsWritten(h), 0);
        EXPECT_EQ(mentioning(h.errorLog.messages, s(c.logMentions)).size(), 4)
            << "the missing date once, then each refusal: "
            << h.errorLog.messages.join(s(" | ")).toStdString();
        expectIdle(h.screen().state());
    }
}

TEST(BusinessDate, BrazilianTextIsTheDayItSays) {
    DecisionHarness h;
    h.addStudent(kStudent);
    h.db.exec(s("UPDATE caixa SET DATAABERTURA = '15/03/2021'"));
    h.open();
    h.type(kStudent);
    EXPECT_TRUE(h.observer.statusTexts.contains(s("Acesso Livre")));
    EXPECT_EQ(h.count(s("SELECT COUNT(*) FROM AcessoDia WHERE DATA = '2021-03-15 00:00:00.000'")),
              1);
}

// The days whose midnight did not exist where the club is, in the zones a club may run in:
// the answers are the same in each, and every row carries the day.
TEST(WallClock, DateRulesGiveTheSameAnswersInEveryZone) {
    const QDate boundaryDays[] = {{2008, 10, 19}, {2017, 10, 15}, {2018, 11, 4}, {2026, 9, 6}};
    for (const char* zone : kClubTimeZones) {
        const ScopedTimeZone inZone(zone);
        for (const QDate& day : boundaryDays) {
            SCOPED_TRACE(std::string(zone) + " " + day.toString(Qt::ISODate).toStdString());
            const QString midnight = day.toString(Qt::ISODate) + s(" 00:00:00.000");
            DecisionHarness h;
            h.clock.set(QDateTime(day, QTime(10, 0)));
            h.db.exec(s("UPDATE caixa SET DATAABERTURA = :D"), {{s(":D"), midnight}});
            h.setSacvar("ACESSO_ANIVERSARIANTE", s("Sim"));
            const QVariantMap bornThatDay{{s("DATA_NASCIMENTO"), midnight},
                                          {s("DATA_CADASTRADO"), s("2000-01-10 00:00:00.000")}};
            h.addStudent(s("0000000201"), bornThatDay);
            h.insert("RECEB", {{s("MATRICULA"), s("0000000201")},
                               {s("MES"), day.toString(s("MM"))},
                               {s("ANO"), day.toString(s("yyyy"))}});
            h.addStudent(s("0000000202"), {{s("DATA_TRANCAMENTO"), midnight}});
            h.addStudent(s("0000000203"), {{s("SAIDA"), midnight}});
            h.addEmployee(kEmployee, {{s("DATA_DEMISSAO"), midnight}});
            h.open();
            EXPECT_EQ(h.screen().businessDate(), day);

            h.type(s("0000000201"));
            h.type(s("0000000202"));
            h.type(s("0000000203"));
            h.type(s("0012345"));
            EXPECT_EQ(
                h.observer.statusTexts,
                (QStringList{s("Acesso Livre"), s("Matrícula Trancada !!!"), s("Sem acesso !!!")}));
            EXPECT_TRUE(h.observer.informationTexts.contains(s("Inativo !!!")));
            EXPECT_TRUE(h.observer.informationTexts.contains(s("Parabéns !!!")));
            const int dayRows = h.count(s("SELECT COUNT(*) FROM AcessoDia"));
            EXPECT_GT(dayRows, 0);
            EXPECT_EQ(
                h.count(s("SELECT COUNT(*) FROM AcessoDia WHERE DATA = '") + midnight + s("'")),
                dayRows);
            EXPECT_TRUE(h.errorLog.messages.isEmpty())
                << h.errorLog.messages.join(s(" | ")).toStdString();
        }
    }
}

// Class hours as other back-office versions and SQL Server time columns give them: a member
// in a class from 09:30 to 11:00 passes at 10:00 on its Monday; hours that are no time of
// day open no window and are logged.
TEST(ClassHours, EveryStoredTimeOfDayForm) {
    const struct {
        const char* start;
        const char* outcome;
        bool logged;
    } cases[] = {
        {"09:30:00", "Acesso Livre", false},
        {"1899-12-30 09:30", "Acesso Livre", false},
        {"09:30:00.0000000", "Acesso Livre", false},
        {"nove e meia", "Fora de Hora !!!", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.start);
        DecisionHarness h; // Monday 15/03/2021 at 10:00
        h.insert("Turma", {{s("CODIGO"), s("MANHA")},
                           {s("HORA_INICIAL"), s(c.start)},
                           {s("HORA_FINAL"), s("11:00:00")},
                           {s("SEG"), 1}});
        h.addStudent(kStudent, {{s("TURMA_A"), s("MANHA")}});
        h.open();
        h.type(kStudent);
        EXPECT_EQ(h.observer.statusTexts, QStringList{s(c.outcome)});
        EXPECT_EQ(mentioning(h.errorLog.messages, s("HORA_INICIAL")).size(), c.logged ? 1 : 0)
            << h.errorLog.messages.join(s(" | ")).toStdString();
    }
}

// The business date still 15/03 after midnight: a grant at 23:50 was forty minutes ago at
// 00:30 and no longer holds the member back; one at 00:29 still does.
TEST(WallClock, ReentryToleranceRunsAcrossMidnight) {
    const struct {
        QTime granted;
        bool passes;
    } cases[] = {{QTime(23, 50), true}, {QTime(0, 29), false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.granted.toString().toStdString());
        DecisionHarness h;
        h.clock.set(QDateTime(QDate(2021, 3, 16), QTime(0, 30)));
        h.setSacvar2("TOLERANCIAENTRADA", 120);
        h.addStudent(kStudent);
        h.insert("AcessoDia", {{s("MATRICULA"), kStudent},
                               {s("DATA"), QDate(2021, 3, 15)},
                               {s("HORA"), c.granted},
                               {s("STATUS"), s("L")}});
        h.open();
        h.type(kStudent);
        // Held back, the member waits on the yellow panel with nothing written or pulsed.
        EXPECT_EQ(h.outputs.pulses.size(), c.passes ? 1u : 0u);
        EXPECT_EQ(h.count(s("SELECT COUNT(*) FROM AcessoDia")), c.passes ? 2 : 1);
    }
}

} // namespace
} // namespace orvalen::test
