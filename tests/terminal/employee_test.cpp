#include "store/db_values.h"
#include "support/decision_harness.h"
#include "support/qstring_printer.h"

#include <gtest/gtest.h>

namespace orvalen::test {
namespace {

const QString kEmployee = QStringLiteral("0000012345");

QString s(const char* text) {
    return QString::fromUtf8(text);
}

struct EmployeeCase {
    const char* name;
    std::function<void(DecisionHarness&)> arrange;
    const char* typed;
    QStringList status;
    QStringList information;
    std::vector<int> waits;
    QStringList rowObs; // one AcessoFuncionarios row each
    bool released;
    const char* observation = "";
};

void PrintTo(const EmployeeCase& c, std::ostream* os) {
    *os << c.name;
}

void businessDate(DecisionHarness& h, QDate date) {
    h.db.exec(s("UPDATE caixa SET DATAABERTURA = :D"),
              {{s(":D"), store::dateValue(h.db.connection().dialect(), date)}});
}

void employee(DecisionHarness& h, const QVariantMap& columns = {}) {
    h.addEmployee(kEmployee, columns);
}

void fingerReader(DecisionHarness& h, const char* byFinger) {
    h.setSacvar2("LEITOR_BIOMETRICO", s("Sim"));
    h.setSacvar2("Tipo_Leitor", s("1"));
    h.setSacvar2("MATRICULADIGITAL", s(byFinger));
}

class EmployeeTest : public ::testing::TestWithParam<EmployeeCase> {};

TEST_P(EmployeeTest, OutcomeWaitsRowAndRelease) {
    const EmployeeCase& c = GetParam();
    DecisionHarness h;
    c.arrange(h);
    h.open();
    h.screen().state().EDTOBSERVACAO.text = s(c.observation);
    h.identifyEmployee(s(c.typed));

    EXPECT_TRUE(h.errorLog.messages.isEmpty());
    EXPECT_EQ(h.observer.statusTexts, c.status);
    EXPECT_EQ(h.observer.informationTexts, c.information);
    EXPECT_EQ(h.pump.waits, c.waits);
    QStringList rowObs;
    for (const auto& row : h.observer.rows) {
        EXPECT_EQ(row.table, s("AcessoFuncionarios"));
        rowObs << row.value(s("OBS")).toString();
    }
    EXPECT_EQ(rowObs, c.rowObs);
    EXPECT_EQ(h.count(s("SELECT COUNT(*) FROM AcessoFuncionarios")), c.rowObs.size());
    EXPECT_EQ(h.count(s("SELECT COUNT(*) FROM Acesso")) +
                  h.count(s("SELECT COUNT(*) FROM AcessoDia")),
              0);
    EXPECT_EQ(h.outputs.pulses.size(), c.released ? 1u : 0u);
    // The note goes with the employee's row; a refusal writes no row and leaves it typed.
    EXPECT_EQ(h.screen().state().EDTOBSERVACAO.text, c.released ? QString() : s(c.observation));
}

const char* const kFree = "Acesso Livre";
const char* const kNote = "Chave do vestiário";
const char* const kRefused = "Sem acesso !!!";

INSTANTIATE_TEST_SUITE_P(
    Employees, EmployeeTest,
    ::testing::Values(EmployeeCase{"unknown_number",
                                   [](DecisionHarness& h) { employee(h); },
                                   "0000099999",
                                   {},
                                   {s("Inexistente!!!")},
                                   {1500},
                                   {},
                                   false,
                                   kNote},
                      EmployeeCase{"allowed_month_last_day",
                                   [](DecisionHarness& h) {
                                       employee(h, {{s("ACESSOLIBERADO"), s("03/2021")}});
                                       businessDate(h, QDate(2021, 3, 31));
                                   },
                                   "0000012345",
                                   {s(kFree)},
                                   {s("Professor")},
                                   {},
                                   {s("")},
                                   true},
                      EmployeeCase{"allowed_month_over",
                                   [](DecisionHarness& h) {
                                       employee(h, {{s("ACESSOLIBERADO"), s("03/2021")}});
                                       businessDate(h, QDate(2021, 4, 1));
                                   },
                                   "0000012345",
                                   {s(kRefused)},
                                   {},
                                   {1500},
                                   {},
                                   false,
                                   kNote},
                      EmployeeCase{"dismissed_with_valid_month",
                                   [](DecisionHarness& h) {
                                       employee(h, {{s("ACESSOLIBERADO"), s("12/2021")},
                                                    {s("DATA_DEMISSAO"), QDate(2021, 1, 10)}});
                                   },
                                   "0000012345",
                                   {s(kRefused)},
                                   {},
                                   {1500},
                                   {},
                                   false,
                                   kNote},
                      EmployeeCase{"birthday_then_job_title",
                                   [](DecisionHarness& h) {
                                       employee(h, {{s("DATA_NASCIMENTO"), QDate(1985, 3, 15)}});
                                       h.setSacvar("ACESSO_ANIVERSARIANTE", s("Sim"));
                                   },
                                   "0000012345",
                                   {s(kFree)},
                                   {s("Parabéns !!!"), s("Professor")},
                                   {},
                                   {s("")},
                                   true},
                      EmployeeCase{"observation_on_the_row",
                                   [](DecisionHarness& h) { employee(h); },
                                   "0000012345",
                                   {s(kFree)},
                                   {s("Professor")},
                                   {},
                                   {s(kNote)},
                                   true,
                                   kNote},
                      EmployeeCase{"capture_screen_message_refuses",
                                   [](DecisionHarness& h) {
                                       employee(h);
                                       fingerReader(h, "Não");
                                       h.capture.script = [](terminal::TerminalUnit& unit) {
                                           EXPECT_EQ(unit.biometricMode, 2);
                                           EXPECT_EQ(unit.employeeKindPrefix, s("00"));
                                           unit.biometricMessage = s("Falha na leitura");
                                       };
                                   },
                                   "0000012345",
                                   {},
                                   {s("Falha na leitura")},
                                   {2000},
                                   {},
                                   false,
                                   kNote},
                      EmployeeCase{"finger_of_another_employee",
                                   [](DecisionHarness& h) {
                                       employee(h);
                                       fingerReader(h, "Sim");
                                       h.unit.sharedMatricula = s("0919999999");
                                   },
                                   "0000012345",
                                   {},
                                   {s("Digital não encontrada!")},
                                   {2000},
                                   {},
                                   false,
                                   kNote},
                      EmployeeCase{"finger_of_this_employee",
                                   [](DecisionHarness& h) {
                                       employee(h);
                                       fingerReader(h, "Sim");
                                       h.unit.sharedMatricula = s("0910012345");
                                   },
                                   "0000012345",
                                   {s(kFree)},
                                   {s("Professor")},
                                   {},
                                   {s("")},
                                   true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(EmployeeAllowedMonthTest, UnreadableMonthEndsTheIdentificationWithoutARow) {
    DecisionHarness h;
    h.addEmployee(kEmployee, {{s("ACESSOLIBERADO"), s("13/2021")}});
    h.open();
    EXPECT_ANY_THROW(h.identifyEmployee(kEmployee));
    EXPECT_EQ(h.count(s("SELECT COUNT(*) FROM AcessoFuncionarios")), 0);
    EXPECT_TRUE(h.outputs.pulses.empty());
}

} // namespace
} // namespace orvalen::test
