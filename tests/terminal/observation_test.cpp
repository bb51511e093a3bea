#include "store/db_values.h"
#include "support/terminal_fixture.h"

#include <gtest/gtest.h>

namespace orvalen::test {
namespace {

QString s(const char* text) {
    return QString::fromUtf8(text);
}

const QString kEmployee = QStringLiteral("0000012345");
const QString kDismissed = QStringLiteral("0000012346");

class ObservationNote : public ::testing::Test {
protected:
    ObservationNote() {
        club.addEmployee(kEmployee, s("CARLA PORTARIA"));
        club.addEmployee(kDismissed, s("DIEGO ANTIGO"));
        club.db().exec(s("UPDATE Funcionarios SET DATA_DEMISSAO = :D WHERE MATRICULA = :M"),
                       {{s(":D"), store::dateTimeValue(club.db().connection().dialect(),
                                                       QDateTime(QDate(2026, 1, 5), QTime()))},
                        {s(":M"), kDismissed}});
        club.show();
    }

    // Opens the panel, types the note as at the keyboard and confirms it with Enter.
    void note(const QString& text) {
        club.screen().BBNOBSClick();
        club.type(text);
    }

    const terminal::Control* operatorButtons(int i) {
        const terminal::ScreenState& st = club.state();
        const terminal::Control* buttons[] = {&st.BBNVERIFICA, &st.BBNCAPTURABIOMETRIA,
                                              &st.BBNTECLADO1, &st.BBNOBS, &st.BBNRETORNA};
        return buttons[i];
    }

    TerminalFixture club;
};

TEST_F(ObservationNote, ThePanelTakesTheKeysAndGivesThemBack) {
    club.state().EDTOBSERVACAO.text = s("left from before");
    club.screen().BBNOBSClick();
    EXPECT_TRUE(club.state().PNLOBSERVACAO.visible);
    EXPECT_FALSE(club.state().keyPreview);
    EXPECT_EQ(club.state().focus, s("EDTOBSERVACAO"));
    EXPECT_EQ(club.state().EDTOBSERVACAO.text, QString()); // opening empties the note
    for (int i = 0; i < 5; ++i) {
        EXPECT_FALSE(operatorButtons(i)->enabled) << i;
    }

    // Digits typed here start no identification, and at most 30 characters are kept.
    for (const QChar key : s("12345 entrada pela porta lateral do estacionamento")) {
        club.screen().keyPressed(0, key);
    }
    EXPECT_FALSE(club.state().PNLFUNDO.visible);
    EXPECT_EQ(club.state().EDTMATRICULA.text, QString());
    EXPECT_EQ(club.state().EDTOBSERVACAO.text, s("12345 entrada pela porta later"));
    club.screen().keyPressed(0, QChar(terminal::kBackspace));
    EXPECT_EQ(club.state().EDTOBSERVACAO.text, s("12345 entrada pela porta late"));
    EXPECT_EQ(club.count(s("AcessoDia")) + club.count(s("AcessoFuncionarios")), 0);

    // Enter closes the panel and keeps the text; so does BBNRETORNAOBS.
    club.screen().keyPressed(0, QChar(terminal::kEnter));
    EXPECT_FALSE(club.state().PNLOBSERVACAO.visible);
    EXPECT_TRUE(club.state().keyPreview);
    EXPECT_EQ(club.state().focus, s("BBNOBS"));
    EXPECT_EQ(club.state().EDTOBSERVACAO.text, s("12345 entrada pela porta late"));
    for (int i = 0; i < 5; ++i) {
        EXPECT_TRUE(operatorButtons(i)->enabled) << i;
    }
    club.screen().BBNOBSClick();
    club.screen().keyPressed(0, QLatin1Char('x'));
    club.screen().BBNRETORNAOBSClick();
    EXPECT_FALSE(club.state().PNLOBSERVACAO.visible);
    EXPECT_TRUE(club.state().keyPreview);
    EXPECT_EQ(club.state().EDTOBSERVACAO.text, s("x"));
}

TEST_F(ObservationNote, SurvivesARefusedEmployeeAndReachesTheNextGrantedOne) {
    note(s("Chave da sala 3"));
    club.type(s("0012346")); // dismissed: refused, logs nothing
    EXPECT_EQ(club.count(s("AcessoFuncionarios")), 0);
    EXPECT_EQ(club.state().EDTOBSERVACAO.text, s("Chave da sala 3"));

    club.type(s("0012345"));
    ASSERT_EQ(club.count(s("AcessoFuncionarios")), 1);
    EXPECT_EQ(club.value(s("SELECT OBS FROM AcessoFuncionarios")).toString(), s("Chave da sala 3"));
    EXPECT_EQ(club.state().EDTOBSERVACAO.text, QString());

    club.type(s("0012345")); // the note served one row only
    EXPECT_EQ(club.count(s("AcessoFuncionarios")), 2);
    EXPECT_EQ(club.value(s("SELECT COUNT(*) FROM AcessoFuncionarios WHERE OBS <> ''")).toInt(), 1);
}

TEST_F(ObservationNote, ReachesTheVisitorRowAndARefusedEntryEmptiesIt) {
    note(s("Entregador de agua"));
    club.type(s("0000999999"));
    EXPECT_EQ(club.value(s("SELECT OBS FROM AcessoVisitantes")).toString(),
              s("Entregador de agua"));
    EXPECT_EQ(club.state().EDTOBSERVACAO.text, QString());

    note(s("Nao vai ser usada"));
    club.type(s("999999")); // refused at the hub
    EXPECT_EQ(club.state().EDTOBSERVACAO.text, QString());
    club.type(s("0000999999"));
    EXPECT_EQ(club.count(s("AcessoVisitantes")), 2);
    EXPECT_TRUE(
        club.value(s("SELECT OBS FROM AcessoVisitantes ORDER BY ID DESC")).toString().isEmpty());
}

} // namespace
} // namespace orvalen::test
