#include "recording_aviso.h"
#include "shell/login_logic.h"
#include "store/db_values.h"
#include "support/test_database.h"

#include <gtest/gtest.h>

namespace orvalen::shell {
namespace {

using Outcome = LoginLogic::Outcome;

const QDate kToday(2026, 3, 7);

class LoginTest : public ::testing::Test {
protected:
    LoginTest() {
        db.exec(QStringLiteral(
            "INSERT INTO Usuarios (CODIGO, NOME, SENHA) VALUES ('01', 'ANA', 'ABC'), "
            "('02', 'BRUNO', 'XYZ'), ('03', 'CAIO', 'abc')"));
        db.exec(QStringLiteral("INSERT INTO Sacvar (CLIENTE) VALUES (7)"));
        db.exec(QStringLiteral("INSERT INTO Sacvar2 (LEITOR_BIOMETRICO) VALUES ('Sim')"));
        db.exec(QStringLiteral("INSERT INTO caixa (OPERADOR) VALUES ('01')"));
    }

    void cashControl(const QDate& data, int contador, bool aberto) {
        db.exec(QStringLiteral(
                    "INSERT INTO CaixaControle (DATA, CONTADORPDR, ABERTO) VALUES (:D, :C, :A)"),
                {{QStringLiteral(":D"), store::dateValue(db.connection().dialect(), data)},
                 {QStringLiteral(":C"), contador},
                 {QStringLiteral(":A"), aberto ? 1 : 0}});
    }

    LoginLogic login() {
        return LoginLogic(db.connection(), local, aviso, unit, [] { return kToday; });
    }

    test::TestDatabase db;
    store::LocalSettings local;
    test::RecordingAviso aviso;
    terminal::TerminalUnit unit;
};

enum class Field { Code, Password };
struct Step {
    Field field;
    const char* text;
    char key;
};

TEST_F(LoginTest, AttemptsMessagesAndOutcome) {
    const char enter = 13;
    const char esc = 27;
    const QString unknown = QStringLiteral("Código não cadastrado !");
    const QString wrong = QStringLiteral("Senha não confere !");
    const QString refused = QStringLiteral("Usuário sem acesso !");
    struct Case {
        const char* name;
        std::vector<Step> steps;
        QStringList messages;
        Outcome outcome;
        QString operatorCode;
    };
    const Case cases[] = {
        {"three unknown codes end the application",
         {{Field::Code, "99", enter}, {Field::Code, "98", enter}, {Field::Code, "97", enter}},
         {unknown, unknown, unknown, refused},
         Outcome::EndApplication,
         {}},
        {"an empty code counts as unknown",
         {{Field::Code, "", enter}},
         {unknown},
         Outcome::Open,
         {}},
        {"two wrong passwords then the right one",
         {{Field::Code, "01", enter},
          {Field::Password, "X", enter},
          {Field::Password, "Y", enter},
          {Field::Password, "ABC", enter}},
         {wrong, wrong},
         Outcome::LoggedIn,
         QStringLiteral("01")},
        {"three wrong passwords end the application",
         {{Field::Code, "01", enter},
          {Field::Password, "A", enter},
          {Field::Password, "B", enter},
          {Field::Password, "C", enter}},
         {wrong, wrong, wrong, refused},
         Outcome::EndApplication,
         {}},
        {"Esc submits like Enter",
         {{Field::Code, "02", esc}, {Field::Password, "XYZ", esc}},
         {},
         Outcome::LoggedIn,
         QStringLiteral("02")},
        {"other keys do not submit", {{Field::Code, "01", 'A'}}, {}, Outcome::Open, {}},
        {"an empty password lets another code be tried without counting",
         {{Field::Code, "01", enter},
          {Field::Password, "", enter},
          {Field::Code, "02", enter},
          {Field::Password, "XYZ", enter}},
         {},
         Outcome::LoggedIn,
         QStringLiteral("02")},
        {"password attempts are kept across codes",
         {{Field::Code, "01", enter},
          {Field::Password, "Q", enter},
          {Field::Password, "", enter},
          {Field::Code, "02", enter},
          {Field::Password, "Q", enter},
          {Field::Password, "Q", enter}},
         {wrong, wrong, wrong, refused},
         Outcome::EndApplication,
         {}},
        {"a stored lower-case password never matches the upper-case field",
         {{Field::Code, "03", enter}, {Field::Password, "ABC", enter}},
         {wrong},
         Outcome::Open,
         {}},
    };
    cashControl(kToday, 1, true);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        aviso.shown.clear();
        unit = {};
        LoginLogic logic = login();
        ASSERT_TRUE(logic.FormShow());
        EXPECT_FALSE(logic.FormCloseQuery());
        for (const Step& step : c.steps) {
            auto& state = logic.state();
            if (step.field == Field::Code) {
                ASSERT_TRUE(state.codeEnabled);
                state.EDTCODIGOUSUARIO = QString::fromLatin1(step.text);
                logic.EDTCODIGOUSUARIOKeyPress(QChar::fromLatin1(step.key));
            } else {
                ASSERT_TRUE(state.passwordEnabled);
                state.EDTSENHA = QString::fromLatin1(step.text);
                logic.EDTSENHAKeyPress(QChar::fromLatin1(step.key));
            }
        }
        EXPECT_EQ(aviso.texts(), c.messages);
        EXPECT_EQ(logic.outcome(), c.outcome);
        EXPECT_EQ(unit.operatorCode, c.operatorCode);
        EXPECT_EQ(logic.FormCloseQuery(), c.outcome != Outcome::Open);
    }
}

TEST_F(LoginTest, CodeFoundShowsTheNameAndMovesToThePassword) {
    cashControl(kToday, 1, true);
    LoginLogic logic = login();
    ASSERT_TRUE(logic.FormShow());
    EXPECT_EQ(logic.state().focus, LoginScreenState::Focus::Code);
    EXPECT_FALSE(logic.state().passwordEnabled);
    EXPECT_EQ(unit.biometricSwitch, QStringLiteral("Sim"));

    logic.state().EDTCODIGOUSUARIO = QStringLiteral("01");
    logic.EDTCODIGOUSUARIOKeyPress(QChar(13));
    EXPECT_EQ(logic.state().LBLNOMEUSUARIO, QStringLiteral("ANA"));
    EXPECT_FALSE(logic.state().codeEnabled);
    EXPECT_TRUE(logic.state().passwordEnabled);
    EXPECT_EQ(logic.state().focus, LoginScreenState::Focus::Password);

    logic.EDTSENHAKeyPress(QChar(13));
    EXPECT_TRUE(logic.state().codeEnabled);
    EXPECT_EQ(logic.passwordAttempts(), 1);
}

// SQL Server compares codes without regard to case by its usual collation; the login takes
// only the operator whose code is exactly the one typed.
TEST_F(LoginTest, CodeMatchesExactlyOnACaseBlindServer) {
    db.exec(QStringLiteral("DROP TABLE Usuarios"));
    db.exec(QStringLiteral("CREATE TABLE Usuarios (CODIGO VARCHAR(2) COLLATE NOCASE, NOME "
                           "VARCHAR(18), SENHA VARCHAR(6), U_REACESSORETAGUARDA VARCHAR(3))"));
    db.exec(QStringLiteral("INSERT INTO Usuarios (CODIGO, NOME, SENHA) VALUES ('AB', 'ANA', 'X')"));
    cashControl(kToday, 1, true);
    LoginLogic logic = login();
    ASSERT_TRUE(logic.FormShow());

    logic.state().EDTCODIGOUSUARIO = QStringLiteral("ab");
    logic.EDTCODIGOUSUARIOKeyPress(QChar(13));
    EXPECT_FALSE(logic.state().passwordEnabled);
    EXPECT_TRUE(logic.state().LBLNOMEUSUARIO.isEmpty());

    logic.state().EDTCODIGOUSUARIO = QStringLiteral("AB");
    logic.EDTCODIGOUSUARIOKeyPress(QChar(13));
    EXPECT_TRUE(logic.state().passwordEnabled);
    EXPECT_EQ(logic.state().LBLNOMEUSUARIO, QStringLiteral("ANA"));
}

TEST_F(LoginTest, CashFlagsFromTheLastCashControlRow) {
    struct Row {
        QDate data;
        int contador;
        bool aberto;
    };
    struct Case {
        const char* name;
        std::vector<Row> rows;
        CashFlags expected;
        QString refusal;
    };
    const QString open = QStringLiteral("Por favor abrir o CAIXA !");
    const QString close = QStringLiteral("Por favor fechar o CAIXA do dia anterior!");
    const Case cases[] = {
        {"no rows", {}, {false, false}, open},
        {"yesterday's open period", {{kToday.addDays(-1), 1, true}}, {true, false}, close},
        {"today's open period", {{kToday, 1, true}}, {true, true}, {}},
        {"closed period", {{kToday, 1, false}}, {false, false}, open},
        {"counter at zero", {{kToday, 0, true}}, {false, false}, open},
        {"only the last row counts",
         {{kToday, 1, true}, {kToday.addDays(-2), 3, true}},
         {true, false},
         close},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        db.exec(QStringLiteral("DELETE FROM CaixaControle"));
        for (const Row& row : c.rows) {
            cashControl(row.data, row.contador, row.aberto);
        }
        LoginLogic logic = login();
        ASSERT_TRUE(logic.FormShow());
        EXPECT_EQ(unit.cashOpen, c.expected.open);
        EXPECT_EQ(unit.cashToday, c.expected.today);
        EXPECT_EQ(cashRefusal({unit.cashOpen, unit.cashToday}), c.refusal);
    }
}

TEST_F(LoginTest, ATableThatCannotBeOpenedEndsTheApplication) {
    const std::pair<const char*, const char*> cases[] = {
        {"CaixaControle", "CaixaControle"}, {"caixa", "Caixa"},
        {"Sacvar2", "Controle2"},           {"Sacvar", "Controle"},
        {"Usuarios", "Usuarios"},
    };
    for (const auto& [table, label] : cases) {
        SCOPED_TRACE(table);
        // Dropped from the last opened to the first, so each case fails on its own table.
        db.exec(QStringLiteral("DROP TABLE ") + QLatin1String(table));
        aviso.shown.clear();
        LoginLogic logic = login();
        EXPECT_FALSE(logic.FormShow());
        EXPECT_EQ(aviso.shown,
                  QStringList{QStringLiteral("!|Abertura de tabela !|") + QLatin1String(label)});
        EXPECT_EQ(logic.outcome(), Outcome::EndApplication);
    }
}

} // namespace
} // namespace orvalen::shell
