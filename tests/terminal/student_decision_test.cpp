#include "support/decision_harness.h"
#include "support/qstring_printer.h"
#include "support/terminal_fixture.h"

#include <QSqlQuery>
#include <gtest/gtest.h>
#include <tuple>

namespace orvalen::test {
namespace {

const QString kStudent = QStringLiteral("0000000101");

QString s(const char* text) {
    return QString::fromUtf8(text);
}

using Row = std::tuple<QString, QString, QString>; // table, STATUS, OBS

struct StudentCase {
    const char* name;
    std::function<void(DecisionHarness&)> arrange;
    QStringList status;
    QStringList information;
    std::vector<int> waits;
    std::vector<Row> rows;
    bool released;
    const char* observation = "";
    std::function<void(DecisionHarness&)> after = {};
};

void student(DecisionHarness& h, const QVariantMap& columns = {}) {
    h.addStudent(kStudent, columns);
}

void unpaid(DecisionHarness& h) {
    h.db.exec(QStringLiteral("DELETE FROM RECEB"));
}

// Up to the due day 20 of March with February paid: admitted unless ULTIMO_DIA 5 makes
// April's receipt the one that counts.
void februaryPaidLastDayFive(DecisionHarness& h, const QVariantMap& columns = {}) {
    QVariantMap dueDay20 = columns;
    dueDay20.insert(s("DIA_VENCIMENTO"), 20);
    student(h, dueDay20);
    unpaid(h);
    h.insert("RECEB", {{s("MATRICULA"), kStudent}, {s("MES"), s("02")}, {s("ANO"), s("2021")}});
    h.setSacvar("ULTIMO_DIA", s("5"));
}

// A class that runs on Mondays from 19:00 to 20:00, out of hours at 10:00.
void eveningClass(DecisionHarness& h) {
    h.insert("Turma", {{s("CODIGO"), s("NOITE")},
                       {s("HORA_INICIAL"), QTime(19, 0)},
                       {s("HORA_FINAL"), QTime(20, 0)},
                       {s("SEG"), 1}});
}

void grantedToday(DecisionHarness& h, QTime at) {
    h.insert("AcessoDia", {{s("MATRICULA"), kStudent},
                           {s("DATA"), QDate(2021, 3, 15)},
                           {s("HORA"), at},
                           {s("STATUS"), s("L")}});
}

Row day(const char* status, const char* obs) {
    return {s("AcessoDia"), s(status), s(obs)};
}
Row log(const char* status, const char* obs) {
    return {s("Acesso"), s(status), s(obs)};
}

const char* const kFree = "Acesso Livre";

void PrintTo(const StudentCase& c, std::ostream* os) {
    *os << c.name;
}

class StudentDecisionTest : public ::testing::TestWithParam<StudentCase> {};

TEST_P(StudentDecisionTest, OutcomeWaitsRowsAndRelease) {
    const StudentCase& c = GetParam();
    DecisionHarness h;
    c.arrange(h);
    h.open();
    h.screen().state().EDTOBSERVACAO.text = s(c.observation);
    h.identifyStudent(kStudent);

    EXPECT_TRUE(h.errorLog.messages.isEmpty())
        << h.errorLog.messages.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(h.observer.statusTexts, c.status);
    EXPECT_EQ(h.observer.informationTexts, c.information);
    EXPECT_EQ(h.pump.waits, c.waits);
    std::vector<Row> rows;
    for (const auto& row : h.observer.rows)
        rows.emplace_back(row.table, row.value(s("STATUS")).toString(),
                          row.value(s("OBS")).toString());
    EXPECT_EQ(rows, c.rows);
    EXPECT_EQ(h.outputs.pulses.size(), c.released ? 1u : 0u);
    if (c.after)
        c.after(h);
}

INSTANTIATE_TEST_SUITE_P(
    Decisions, StudentDecisionTest,
    ::testing::Values(
        StudentCase{"paid_up", [](DecisionHarness& h) { student(h); }, {s(kFree)}, {}, {},
                    {day("L", kFree), log("L", kFree)}, true},
        StudentCase{"record_hold_three_seconds_one_row_each",
                    [](DecisionHarness& h) { student(h, {{s("BLOQUEIA_ROLETA"), 1}}); },
                    {s("Pendência no Cadastro")}, {}, {3000},
                    {log("S", "Pendência no Cadastro"), day("S", "Pendência no Cadastro")}, false},
        StudentCase{"pending_balance_without_block_goes_on",
                    [](DecisionHarness& h) {
                        student(h, {{s("PENDENCIA"), 10.5}});
                        h.setSacvar2("ACESSO_PENDENCIA", s("Mensalidade em aberto"));
                    },
                    {s(kFree)}, {s("Mensalidade em aberto")}, {1500, 1500},
                    {day("L", kFree), log("L", kFree)}, true},
        StudentCase{"pending_balance_with_block",
                    [](DecisionHarness& h) {
                        student(h, {{s("PENDENCIA"), 10.5}});
                        h.setSacvar2("ACESSO_PENDENCIA", s("Mensalidade em aberto"));
                        h.setSacvar2("ACESSO_PENDENCIA_BLOQUEIO", s("Sim"));
                    },
                    {s("Pendente")}, {s("Mensalidade em aberto")}, {1500, 1500, 1500},
                    {log("S", "Pendente"), day("S", "Pendente")}, false},
        StudentCase{"free_access_ignores_payment_and_hours",
                    [](DecisionHarness& h) {
                        eveningClass(h);
                        student(h, {{s("MODALIDADE"), s("02")}, {s("TURMA_A"), s("NOITE")}});
                        unpaid(h);
                    },
                    {s(kFree)}, {}, {}, {day("L", kFree), log("L", kFree)}, true, "",
                    [](DecisionHarness& h) {
                        EXPECT_FALSE(h.screen().state().LBLDATAVENCIMENTO.visible);
                        EXPECT_EQ(h.screen().state().LBLMENSALIDADEPLANOS.caption, s("Mensalidade"));
                    }},
        StudentCase{"free_access_partner_pass_without_release",
                    [](DecisionHarness& h) {
                        student(h, {{s("MODALIDADE"), s("02")}, {s("Gympass"), 1}});
                        unpaid(h);
                    },
                    {s("Sob Consulta !!!")}, {s("Solicitar Liberação da Catraca !!!")}, {2000, 1500, 700},
                    {day("H", "Solicitar Liberação da Catraca"), log("H", "Solicitar Liberação da Catraca")},
                    false},
        StudentCase{"free_access_partner_pass_keeps_class_hours",
                    [](DecisionHarness& h) {
                        eveningClass(h);
                        student(h, {{s("MODALIDADE"), s("02")}, {s("Gympass"), 1}, {s("TURMA_A"), s("NOITE")}});
                        unpaid(h);
                    },
                    {s("Fora de Hora !!!")}, {}, {1500, 700},
                    {day("H", "Fora de Hora !!!"), log("H", "Fora de Hora !!!")}, false},
        StudentCase{"partner_pass_release_used_once",
                    [](DecisionHarness& h) {
                        student(h, {{s("Gympass"), 1}});
                        for (const QDate& date : {QDate(2021, 3, 15), QDate(2021, 3, 14)})
                            h.insert("LiberaGympass", {{s("Matricula"), kStudent}, {s("Data"), date}});
                    },
                    {s(kFree)}, {}, {}, {day("L", kFree), log("L", kFree)}, true, "",
                    [](DecisionHarness& h) {
                        EXPECT_EQ(h.count(s("SELECT COUNT(*) FROM LiberaGympass")), 0);
                    }},
        StudentCase{"partner_pass_release_taken_by_another_turnstile",
                    [](DecisionHarness& h) {
                        student(h, {{s("Gympass"), 1}});
                        h.insert("LiberaGympass", {{s("Matricula"), kStudent}, {s("Data"), QDate(2021, 3, 15)}});
                        // Gone by the time this terminal deletes it: its delete removes nothing.
                        h.db.exec(s("CREATE TRIGGER other_turnstile BEFORE DELETE ON LiberaGympass "
                                    "BEGIN SELECT RAISE(IGNORE); END"));
                    },
                    {s("Sob Consulta !!!")}, {s("Solicitar Liberação da Catraca !!!")}, {2000, 1500, 700},
                    {day("H", "Solicitar Liberação da Catraca"), log("H", "Solicitar Liberação da Catraca")},
                    false},
        StudentCase{"daily_limit_reached",
                    [](DecisionHarness& h) {
                        student(h, {{s("Gympass"), 1}});
                        h.setSacvar2("QTD_ACESSO", 2);
                        grantedToday(h, QTime(7, 0));
                        grantedToday(h, QTime(8, 0));
                    },
                    {s("Excedeu Acesso !!!")}, {s("Excedeu Acesso !!!")}, {2000, 1500, 700},
                    {day("H", "Excedeu Acesso !!!"), log("H", "Excedeu Acesso !!!")}, false},
        StudentCase{"daily_limit_not_reached_skips_partner_pass",
                    [](DecisionHarness& h) {
                        student(h, {{s("Gympass"), 1}});
                        h.setSacvar2("QTD_ACESSO", 2);
                        grantedToday(h, QTime(7, 0));
                    },
                    {s(kFree), s(kFree)}, {}, {}, {day("L", kFree), log("L", kFree)}, true},
        StudentCase{"medical_block_is_final",
                    [](DecisionHarness& h) {
                        student(h, {{s("DATA_MEDICA"), QDate(2020, 1, 10)}});
                        h.setSacvar("ACESSO_MEDICA", s("Sim"));
                        h.setSacvar("PRAZOAVALMED", 12);
                        h.setSacvar("TOLERANCIA_AVALIACAO", 30);
                        h.setSacvar("BLOQUEIA_AVALIACAO_ACESSO", s("MÉDICA"));
                    },
                    {s("Avaliação Bloqueada !!!")}, {s("Médica Vencida !!!")}, {1500, 1500, 700},
                    {day("S", "Avaliação Bloqueada !!!"), log("S", "Avaliação Bloqueada !!!")}, false},
        StudentCase{"functional_block_is_replaced_by_the_grant",
                    [](DecisionHarness& h) {
                        student(h, {{s("DATA_FUNCIONAL"), QDate(2020, 1, 10)}});
                        h.setSacvar("ACESSO_FUNCIONAL", s("Sim"));
                        h.setSacvar("PRAZOAVALFUN", 12);
                        h.setSacvar("TOLERANCIA_AVALIACAO", 30);
                        h.setSacvar("BLOQUEIA_AVALIACAO_ACESSO", s("FUNCIONAL"));
                    },
                    {s(kFree)}, {s("Funcional Vencida !!!")}, {1500}, {day("L", kFree), log("L", kFree)}, true},
        StudentCase{"unpaid_month",
                    [](DecisionHarness& h) {
                        student(h);
                        unpaid(h);
                    },
                    {s("Sob Consulta !!!")}, {}, {1500, 700},
                    {day("S", "Sob Consulta !!!"), log("S", "Sob Consulta !!!")}, false},
        StudentCase{"last_day_before_due_day_wants_next_month",
                    [](DecisionHarness& h) { februaryPaidLastDayFive(h); },
                    {s("Sob Consulta !!!")}, {}, {1500, 700},
                    {day("S", "Sob Consulta !!!"), log("S", "Sob Consulta !!!")}, false},
        StudentCase{"last_day_counts_for_a_lock_date_still_to_come",
                    [](DecisionHarness& h) {
                        februaryPaidLastDayFive(h, {{s("DATA_TRANCAMENTO"), QDate(2021, 4, 1)}});
                    },
                    {s("Sob Consulta !!!")}, {}, {1500, 700},
                    {day("S", "Sob Consulta !!!"), log("S", "Sob Consulta !!!")}, false},
        StudentCase{"scholarship_over",
                    [](DecisionHarness& h) {
                        student(h, {{s("BOLSISTA"), 1}, {s("VALIDADE_BOLSA"), QDate(2021, 3, 14)}});
                    },
                    {s("Fora Validade !!!")}, {}, {1500, 700},
                    {day("S", "Fora Validade !!!"), log("S", "Fora Validade !!!")}, false},
        StudentCase{"reentry_within_tolerance",
                    [](DecisionHarness& h) {
                        student(h);
                        h.setSacvar2("TOLERANCIAENTRADA", 120);
                        grantedToday(h, QTime(9, 59, 30));
                    },
                    {s(kFree)}, {}, {30000}, {}, false, "",
                    [](DecisionHarness& h) { EXPECT_EQ(h.count(s("SELECT COUNT(*) FROM Acesso")), 0); }},
        StudentCase{"observation_goes_to_the_access_row_only", [](DecisionHarness& h) { student(h); },
                    {s(kFree)}, {}, {}, {day("L", kFree), log("L", "Entregou atestado")}, true,
                    "Entregou atestado",
                    [](DecisionHarness& h) { EXPECT_TRUE(h.screen().state().EDTOBSERVACAO.text.isEmpty()); }},
        StudentCase{"record_hold_writes_its_own_text_over_an_observation",
                    [](DecisionHarness& h) { student(h, {{s("BLOQUEIA_ROLETA"), 1}}); },
                    {s("Pendência no Cadastro")}, {}, {3000},
                    {log("S", "Pendência no Cadastro"), day("S", "Pendência no Cadastro")}, false,
                    "Entregou atestado",
                    [](DecisionHarness& h) { EXPECT_TRUE(h.screen().state().EDTOBSERVACAO.text.isEmpty()); }},
        StudentCase{"pending_hold_writes_its_own_text_over_an_observation",
                    [](DecisionHarness& h) {
                        student(h, {{s("PENDENCIA"), 10.5}});
                        h.setSacvar2("ACESSO_PENDENCIA", s("Mensalidade em aberto"));
                        h.setSacvar2("ACESSO_PENDENCIA_BLOQUEIO", s("Sim"));
                    },
                    {s("Pendente")}, {s("Mensalidade em aberto")}, {1500, 1500, 1500},
                    {log("S", "Pendente"), day("S", "Pendente")}, false, "Entregou atestado",
                    [](DecisionHarness& h) { EXPECT_TRUE(h.screen().state().EDTOBSERVACAO.text.isEmpty()); }},
        StudentCase{"booked_class_of_another_activity",
                    [](DecisionHarness& h) {
                        student(h);
                        h.insert("ATIVIDADES", {{s("CODIGO"), s("05")}, {s("DESCRICAO"), s("Spinning")}});
                        h.insert("ATIVIDADES", {{s("CODIGO"), s("07")}, {s("DESCRICAO"), s("Pilates")}});
                        h.insert("ALUNOSATIVIDADES", {{s("MATRICULA"), kStudent}, {s("ATIVIDADE"), s("05")}});
                        h.insert("AulasColetivas", {{s("Codigo"), 3},
                                                    {s("Cliente"), 1.0},
                                                    {s("HORA_INICIAL"), QTime(10, 0)},
                                                    {s("HORA_FINAL"), QTime(11, 0)}});
                        h.insert("FrequenciaAula", {{s("MATRICULA"), kStudent},
                                                    {s("DATA"), QDate(2021, 3, 15)},
                                                    {s("CLIENTE"), 1.0},
                                                    {s("Codigo_Aula"), 3},
                                                    {s("ATIVIDADE"), s("07 Pilates")}});
                    },
                    {s("Atividade Incorreta !!!")}, {s("Atividade Agendada Incorreta !!!")}, {2000, 1500, 700},
                    {day("H", "Atividade Agendada Incorreta !"), log("H", "Atividade Agendada Incorreta !")},
                    false},
        StudentCase{"booked_mode_without_booking",
                    [](DecisionHarness& h) {
                        student(h);
                        h.setSacvar2("Acesso_Agendamento", s("Sim"));
                    },
                    {s("Fora de Hora !!!")}, {}, {1500, 700},
                    {day("H", "Fora de Hora !!!"), log("H", "Fora de Hora !!!")}, false},
        StudentCase{"booked_mode_in_the_booked_hours",
                    [](DecisionHarness& h) {
                        student(h);
                        h.setSacvar2("Acesso_Agendamento", s("Sim"));
                        h.insert("AulasColetivas", {{s("Codigo"), 4},
                                                    {s("Cliente"), 1.0},
                                                    {s("HORA_INICIAL"), QTime(10, 10)},
                                                    {s("TOLERANCIA_ENTRADA"), 15.0},
                                                    {s("HORA_FINAL"), QTime(11, 0)}});
                        h.insert("FrequenciaAula", {{s("MATRICULA"), kStudent},
                                                    {s("DATA"), QDate(2021, 3, 15)},
                                                    {s("CLIENTE"), 1.0},
                                                    {s("Codigo_Aula"), 4},
                                                    {s("ATIVIDADE"), s("03 Spinning")}});
                        h.insert("ATIVIDADES", {{s("CODIGO"), s("03")}, {s("DESCRICAO"), s("Spinning")}});
                        h.insert("ALUNOSATIVIDADES", {{s("MATRICULA"), kStudent}, {s("ATIVIDADE"), s("03")}});
                    },
                    {s(kFree)}, {}, {}, {day("L", kFree), log("L", kFree)}, true},
        StudentCase{"out_of_class_hours",
                    [](DecisionHarness& h) {
                        eveningClass(h);
                        student(h, {{s("TURMA_A"), s("NOITE")}});
                    },
                    {s("Fora de Hora !!!")}, {}, {1500, 700},
                    {day("H", "Fora de Hora !!!"), log("H", "Fora de Hora !!!")}, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(StudentActivitiesTest, TwelveLabelsUnderTheHeading) {
    DecisionHarness h;
    h.addStudent(kStudent);
    for (int code = 1; code <= 15; ++code) {
        const QString activity = QStringLiteral("%1").arg(code, 2, 10, QLatin1Char('0'));
        h.insert("ATIVIDADES",
                 {{s("CODIGO"), activity}, {s("DESCRICAO"), QString(s("Atividade ") + activity)}});
        h.insert("ALUNOSATIVIDADES", {{s("MATRICULA"), kStudent}, {s("ATIVIDADE"), activity}});
    }
    h.open();
    h.unit.currentMatricula = kStudent;
    h.screen().MOSTRA_ATIVIDADES();
    const auto& labels = h.screen().state().LBLATIVIDADESn;
    EXPECT_TRUE(h.screen().state().LBLATIVIDADES.visible);
    EXPECT_EQ(labels.front().caption, s("Atividade 01"));
    EXPECT_EQ(labels.back().caption, s("Atividade 12"));
}

TEST(StudentLookupTest, FingerprintMustIdentifyTheTypedNumber) {
    const struct {
        const char* identified;
        const char* message;
        bool passes;
    } cases[] = {
        {"0000000101", "", true},
        {"0000000999", "Digital não encontrada!", false},
        {"", "Falha na leitura", false},
    };
    for (const auto& c : cases) {
        DecisionHarness h;
        h.addStudent(kStudent);
        h.setSacvar2("LEITOR_BIOMETRICO", s("Sim"));
        h.setSacvar2("Tipo_Leitor", s("1"));
        h.setSacvar2("MATRICULADIGITAL", s("Sim"));
        h.open();
        h.capture.script = [&](terminal::TerminalUnit& unit) {
            EXPECT_EQ(unit.biometricMode, 2);
            unit.sharedMatricula = s(c.identified);
            if (*c.message != '\0' && *c.identified == '\0')
                unit.biometricMessage = s(c.message);
        };
        h.identifyStudent(kStudent);
        EXPECT_EQ(h.capture.shown, 1);
        EXPECT_EQ(h.observer.rows.size(), c.passes ? 2u : 0u) << c.identified;
        EXPECT_EQ(h.outputs.pulses.size(), c.passes ? 1u : 0u) << c.identified;
        if (!c.passes) {
            EXPECT_EQ(h.observer.informationTexts, QStringList{s(c.message)});
            EXPECT_EQ(h.pump.waits, std::vector<int>{2000});
            EXPECT_EQ(h.unit.biometricMode, 0);
            EXPECT_TRUE(h.unit.sharedMatricula.isEmpty());
        }
    }
}

TEST(StudentWriteFailureTest, FailedWriteStopsBeforeOutcomeAndRelease) {
    const struct {
        const char* trigger; // makes one change fail in the database
        const char* detail;
    } cases[] = {
        {"CREATE TRIGGER fail BEFORE DELETE ON LiberaGympass BEGIN SELECT RAISE(ABORT, 'disk'); "
         "END",
         "LiberaGympass"},
        {"CREATE TRIGGER fail BEFORE INSERT ON AcessoDia BEGIN SELECT RAISE(ABORT, 'disk'); END",
         "AcessoDia"},
        {"CREATE TRIGGER fail BEFORE INSERT ON Acesso BEGIN SELECT RAISE(ABORT, 'disk'); END",
         "Acesso"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.detail);
        DecisionHarness h;
        h.addStudent(QStringLiteral("0000000101"), {{QStringLiteral("Gympass"), 1}});
        h.insert("LiberaGympass", {{QStringLiteral("Matricula"), QStringLiteral("0000000101")},
                                   {QStringLiteral("Data"), QDate(2021, 3, 15)}});
        h.db.exec(QString::fromLatin1(c.trigger));
        h.open();
        h.identifyStudent(QStringLiteral("0000000101"));
        ASSERT_EQ(h.aviso.boxes.size(), 1u);
        EXPECT_EQ(h.aviso.boxes[0].text, QStringLiteral("Gravando na tabela !"));
        EXPECT_EQ(h.aviso.boxes[0].detail, QString::fromLatin1(c.detail));
        EXPECT_TRUE(h.screen().state().closeRequested);
        EXPECT_TRUE(h.outputs.pulses.empty());
        EXPECT_FALSE(h.observer.statusTexts.contains(QStringLiteral("Acesso Livre")));
        // The release and the two rows go together: nothing of them stays.
        EXPECT_EQ(h.count(QStringLiteral("SELECT COUNT(*) FROM Acesso")), 0);
        EXPECT_EQ(h.count(QStringLiteral("SELECT COUNT(*) FROM AcessoDia")), 0);
        EXPECT_EQ(h.count(QStringLiteral("SELECT COUNT(*) FROM LiberaGympass")), 1);
        ASSERT_EQ(h.errorLog.messages.size(), 1);
        EXPECT_TRUE(h.errorLog.messages[0].startsWith(QString::fromLatin1(c.detail) +
                                                      QStringLiteral(": ")));
        EXPECT_TRUE(h.errorLog.messages[0].contains(QStringLiteral("disk")));
    }
}

// Every column of the student's two rows as the database holds them afterwards: the day's
// row carries the name, the due day and the photo; the access row the operator's note.
TEST(StudentRowsTest, EveryColumnOfBothRows) {
    DecisionHarness h;
    h.setSacvar2("FILIAL", s("07"));
    student(h, {{s("NOME"), s("Beatriz Montenegro")}, {s("DIA_VENCIMENTO"), 12}});
    const QByteArray photo = jpegOf(Qt::blue);
    h.insert("FotosAlunos", {{s("MATRICULA"), kStudent}, {s("FOTO1"), photo}});
    h.open();
    h.screen().state().EDTOBSERVACAO.text = s("Entregou atestado");
    h.identifyStudent(kStudent);
    ASSERT_EQ(h.count(s("SELECT COUNT(*) FROM AcessoDia")), 1);
    ASSERT_EQ(h.count(s("SELECT COUNT(*) FROM Acesso")), 1);

    const struct {
        const char* table;
        const char* column; // or an expression over the row
        const char* expected;
    } cases[] = {
        {"AcessoDia", "MATRICULA", "0000000101"},
        {"AcessoDia", "date(DATA)", "2021-03-15"}, // the business date
        {"AcessoDia", "time(HORA)", "10:00:00"},
        {"AcessoDia", "FILIAL", "07"},
        {"AcessoDia", "STATUS", "L"},
        {"AcessoDia", "OBS", "Acesso Livre"},
        {"AcessoDia", "NOME", "Beatriz Montenegro"},
        {"AcessoDia", "CODIGO_FILIAL", "1"},
        {"AcessoDia", "DIA_VENCIMENTO", "12"},
        {"Acesso", "MATRICULA", "0000000101"},
        {"Acesso", "date(DATA)", "2021-03-15"},
        {"Acesso", "time(HORA)", "10:00:00"},
        {"Acesso", "FILIAL", "07"},
        {"Acesso", "STATUS", "L"},
        {"Acesso", "OBS", "Entregou atestado"},
        {"Acesso", "coalesce(NOME, '')", ""}, // the own branch's rows go without the name
        {"Acesso", "CODIGO_FILIAL", "1"},
    };
    for (const auto& c : cases) {
        QSqlQuery query(h.db.connection().database());
        ASSERT_TRUE(query.exec(QStringLiteral("SELECT %1 FROM %2")
                                   .arg(QLatin1String(c.column), QLatin1String(c.table))) &&
                    query.next())
            << c.table << " " << c.column;
        EXPECT_EQ(query.value(0).toString(), s(c.expected)) << c.table << " " << c.column;
    }
    QSqlQuery stored(h.db.connection().database());
    ASSERT_TRUE(stored.exec(s("SELECT FOTO FROM AcessoDia")) && stored.next());
    EXPECT_EQ(stored.value(0).toByteArray(), photo);
}

// Another turnstile lets the student in for the last time of the day while this one shows
// "Acesso Livre" and has not written yet: the grant becomes the limit's refusal, with its
// rows and no release, and the day holds no more grants than the limit.
TEST(StudentDailyLimit, TheLastPlaceTakenByAnotherTurnstileRefuses) {
    DecisionHarness h;
    student(h);
    h.setSacvar2("QTD_ACESSO", 2);
    grantedToday(h, QTime(7, 0));
    h.observer.onStatus = [&h](const QString& text) {
        if (text == s(kFree)) {
            grantedToday(h, QTime(9, 59));
        }
    };
    h.open();
    h.identifyStudent(kStudent);
    ASSERT_FALSE(h.observer.statusTexts.isEmpty());
    EXPECT_EQ(h.observer.statusTexts.first(), s(kFree));
    EXPECT_TRUE(h.observer.statusTexts.contains(s("Excedeu Acesso !!!")));
    EXPECT_TRUE(h.outputs.pulses.empty());
    EXPECT_EQ(h.observer.releases, 0);
    EXPECT_EQ(h.count(s("SELECT COUNT(*) FROM AcessoDia WHERE STATUS = 'L'")), 2);
    EXPECT_EQ(h.count(s("SELECT COUNT(*) FROM AcessoDia WHERE STATUS = 'H' AND "
                        "OBS = 'Excedeu Acesso !!!'")),
              1);
    EXPECT_EQ(h.count(s("SELECT COUNT(*) FROM Acesso WHERE STATUS = 'H' AND "
                        "OBS = 'Excedeu Acesso !!!'")),
              1);
}

// The inactive check and the photo go by the number's value: rows kept without the
// leading zeros are found.
TEST(StudentNumberMatch, InactiveAndPhotoRowsStoredWithoutZeros) {
    {
        DecisionHarness h;
        h.insert("Alunos", {{s("Matricula"), s("101")}});
        h.open();
        h.identifyStudent(kStudent);
        EXPECT_EQ(h.observer.informationTexts, QStringList{s("Inativo !!!")});
    }
    DecisionHarness h;
    student(h);
    const QByteArray photo = jpegOf(Qt::blue);
    h.insert("FotosAlunos", {{s("MATRICULA"), s("101")}, {s("FOTO1"), photo}});
    h.open();
    h.identifyStudent(kStudent);
    ASSERT_FALSE(h.observer.rows.empty());
    EXPECT_EQ(h.observer.rows.front().table, s("AcessoDia"));
    EXPECT_EQ(h.observer.rows.front().value(s("FOTO")).toByteArray(), photo);
}

// A portal data link that cannot be used does not keep the terminal closed, and the
// exception log says why booked classes will not be found.
TEST(PortalDataLink, AnUnusablePortalIsLoggedAndTheTerminalOpens) {
    DecisionHarness h;
    h.setSacvar2("AgendamentoAulaPortal", s("Sim"));
    h.open();
    EXPECT_FALSE(h.screen().state().closeRequested);
    ASSERT_EQ(h.errorLog.messages.size(), 1);
    EXPECT_TRUE(h.errorLog.messages[0].contains(s("Velmora.udl")))
        << h.errorLog.messages[0].toStdString();
}

} // namespace
} // namespace orvalen::test
