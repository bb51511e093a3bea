#include "support/terminal_fixture.h"

#include <Qt>
#include <gtest/gtest.h>

namespace orvalen::test {
namespace {

using terminal::colours::clGreen;
using terminal::colours::clRed;

// Opens the entry in the given mode and types the keys one by one.
QString typedInto(TerminalFixture& f, const QString& keys) {
    f.screen().keyPressed(0, QLatin1Char('1')); // the first key opens the entry
    f.state().EDTMATRICULA.text.clear();
    f.state().EDTMATRICULA.cursor = 0;
    for (const QChar key : keys) {
        f.screen().keyPressed(0, key);
    }
    return f.state().EDTMATRICULA.text;
}

TEST(ScreenEntry, KeyFilterOfEachMode) {
    struct Case {
        const char* numberMode;
        const char* keys;
        const char* shown;
    };
    const Case cases[] = {
        {"Sim", "12a3 4", "123 4"},
        {"Sim", "MAR", ""},
        {"Não", "mar1a", "MARA"},
        {"Não", "Jo\xc3\xa3o s", "JOO S"}, // accented letters dropped
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.keys);
        TerminalFixture f(
            {{QStringLiteral("PROCURAMATRICULANOME"), QString::fromUtf8(c.numberMode)}});
        f.show();
        EXPECT_EQ(typedInto(f, QString::fromUtf8(c.keys)), QString::fromUtf8(c.shown));
    }
}

TEST(ScreenEntry, MaskingInNumberModeOnly) {
    TerminalFixture f({{QStringLiteral("MATRICULA_ACESSO"), QStringLiteral("Não")}});
    f.show();
    f.screen().keyPressed(0, QLatin1Char('4'));
    EXPECT_EQ(f.state().EDTMATRICULA.text, QStringLiteral("4"));
    EXPECT_EQ(f.state().EDTMATRICULA.passwordChar, QLatin1Char('*'));
    f.screen().PNLNOMEClick();
    f.screen().keyPressed(0, QLatin1Char('a'));
    EXPECT_TRUE(f.state().EDTMATRICULA.passwordChar.isNull());
}

TEST(ScreenEntry, FirstKeyOnKeyboardOnlyTerminal) {
    struct Case {
        const char* defaultMode;
        QChar key;
        const char* field;
        bool numberMode;
    };
    const Case cases[] = {
        {"Sim", QLatin1Char('1'), "1", true},
        {"Sim", QLatin1Char('x'), "", true},
        {"Não", QLatin1Char('m'), "M", false},
        {"Não", QLatin1Char('7'), "", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.field);
        TerminalFixture f(
            {{QStringLiteral("PROCURAMATRICULANOME"), QString::fromUtf8(c.defaultMode)}});
        f.addStudent(QStringLiteral("0000000100"), QStringLiteral("ANA"));
        f.addStudent(QStringLiteral("0000000200"), QStringLiteral("MARIA"));
        f.show();
        f.screen().keyPressed(0, c.key);
        const auto& s = f.state();
        EXPECT_EQ(s.EDTMATRICULA.text, QString::fromUtf8(c.field));
        EXPECT_EQ(s.caption, QStringLiteral("Controle de Acesso - Teclado"));
        EXPECT_FALSE(s.BBNRETORNA.enabled);
        EXPECT_FALSE(s.keyPreview);
        EXPECT_TRUE(s.PNLFUNDO.visible);
        EXPECT_EQ(f.screen().numberModeActive(), c.numberMode);
        EXPECT_EQ(s.EDTMATRICULA.maxLength, c.numberMode ? 10 : 35);
        if (!c.numberMode && !s.EDTMATRICULA.text.isEmpty()) {
            EXPECT_EQ(f.screen().students().currentNome(), QStringLiteral("MARIA"));
        }
        f.screen().LIMPA_TELA();
        EXPECT_TRUE(f.state().BBNRETORNA.enabled);
    }
}

TEST(ScreenEntry, FirstKeyOnReaderTerminal) {
    for (const QChar key : {QLatin1Char('7'), QLatin1Char('x')}) {
        TerminalFixture f({{QStringLiteral("PINPAD"), QStringLiteral("COM1")}});
        f.show();
        EXPECT_EQ(f.state().LBLTECLADO.caption, QStringLiteral("Leitor"));
        f.screen().keyPressed(0, key);
        EXPECT_EQ(f.state().EDTMATRICULA.text,
                  key == QLatin1Char('7') ? QStringLiteral("7") : QString());
        EXPECT_FALSE(f.state().keyPreview);
        EXPECT_EQ(f.state().caption, QStringLiteral("Controle de Acesso"));
    }
}

TEST(ScreenEntry, Tec12RefusesThePcKeyboard) {
    TerminalFixture f({{QStringLiteral("PINPAD"), QStringLiteral("COM1")},
                       {QStringLiteral("PADRAOTEC12"), QStringLiteral("Sim")}});
    f.show();
    f.screen().keyPressed(0, QLatin1Char('5'));
    ASSERT_EQ(f.aviso.boxes.size(), 1u);
    EXPECT_EQ(
        store::Aviso::message(f.aviso.boxes[0].text, f.aviso.boxes[0].detail),
        QStringLiteral(
            "Tec12 Configurado.\n\rPor favor configure teclado do compudador no botão abaixo !"));
    EXPECT_TRUE(f.state().keyPreview);
    EXPECT_TRUE(f.state().EDTMATRICULA.text.isEmpty());

    f.screen().BBNTEC12Click(); // lets PC keys through
    f.screen().keyPressed(0, QLatin1Char('5'));
    EXPECT_EQ(f.state().EDTMATRICULA.text, QStringLiteral("5"));
}

TEST(ScreenEntry, EscResetsTheScreen) {
    TerminalFixture f;
    f.show();
    f.screen().keyPressed(0, QLatin1Char('5'));
    f.screen().keyPressed(Qt::Key_Escape, QChar(terminal::kEscape));
    EXPECT_TRUE(f.state().keyPreview);
    EXPECT_FALSE(f.state().PNLFUNDO.visible);
    EXPECT_TRUE(f.state().EDTMATRICULA.text.isEmpty());
}

TEST(ScreenEntry, F2LetsAVisitorInOnlyWhenNotBlocked) {
    for (const char* blocks : {"Não", "Sim", ""}) {
        SCOPED_TRACE(blocks);
        TerminalFixture f({{QStringLiteral("ACESSO_F2_BLOQUEIA"), QString::fromUtf8(blocks)}});
        f.show();
        f.screen().keyPressed(Qt::Key_F2, QChar());
        const bool allowed = QString::fromUtf8(blocks) == QStringLiteral("Não");
        EXPECT_EQ(f.count(QStringLiteral("AcessoVisitantes")), allowed ? 1 : 0);
        EXPECT_EQ(f.count(QStringLiteral("AcessoDia")), allowed ? 1 : 0);
        EXPECT_TRUE(f.state().EDTMATRICULA.enabled);
        EXPECT_TRUE(f.state().keyPreview);
    }
}

TEST(ScreenEntry, F2InTheEntryField) {
    TerminalFixture f({{QStringLiteral("PROCURAMATRICULANOME"), QStringLiteral("Sim")}});
    f.show();
    f.screen().keyPressed(0, QLatin1Char('5'));
    f.screen().keyPressed(Qt::Key_F2, QChar());
    EXPECT_EQ(f.count(QStringLiteral("AcessoVisitantes")), 1);
    EXPECT_EQ(f.value(QStringLiteral("SELECT STATUS FROM AcessoDia")).toString(),
              QStringLiteral("V"));
}

TEST(ScreenEntry, ExternalMessageBothWays) {
    TerminalFixture f;
    f.show();
    f.screen().externalMessage(1);
    EXPECT_EQ(f.count(QStringLiteral("AcessoDia")), 1);
    EXPECT_EQ(f.count(QStringLiteral("AcessoVisitantes")), 0);
    EXPECT_TRUE(f.screen().PBooLiberaCatraca);
    f.type(QStringLiteral("9999999999"));
    EXPECT_EQ(f.count(QStringLiteral("AcessoDia")), 2);
    EXPECT_EQ(f.count(QStringLiteral("AcessoVisitantes")), 1);

    TerminalFixture nbio({}, {{QStringLiteral("LEITOR_BIOMETRICO"), QStringLiteral("Sim")},
                              {QStringLiteral("Tipo_Leitor"), QStringLiteral("1")}});
    nbio.show();
    nbio.fingerprint.calls.clear();
    nbio.screen().externalMessage(0);
    nbio.screen().externalMessage(0);
    EXPECT_EQ(nbio.fingerprint.calls,
              (QStringList{QStringLiteral("close"), QStringLiteral("open")}));
    EXPECT_EQ(nbio.count(QStringLiteral("AcessoDia")), 0);

    TerminalFixture persona({}, {{QStringLiteral("LEITOR_BIOMETRICO"), QStringLiteral("Sim")},
                                 {QStringLiteral("Tipo_Leitor"), QStringLiteral("2")}});
    persona.show();
    persona.fingerprint.calls.clear();
    persona.screen().externalMessage(0);
    persona.screen().externalMessage(0);
    EXPECT_EQ(persona.fingerprint.calls,
              (QStringList{QStringLiteral("StopCapture"), QStringLiteral("StartCapture")}));
}

// A release message that arrives while another person's outcome holds the screen waits
// until that person is done, then lets the visitor in.
TEST(ScreenEntry, ExternalMessageDuringAWaitRunsAfterTheEntry) {
    TerminalFixture f;
    f.show();
    int arrived = 0;
    f.pump.duringWait = [&] {
        if (arrived++ == 0) {
            f.screen().externalMessage(1);
            EXPECT_EQ(f.count(QStringLiteral("AcessoDia")), 0) << "handled inside the wait";
        }
    };
    f.type(QStringLiteral("777")); // nobody: "Inexistente !!!" holds the screen
    EXPECT_EQ(f.pump.waits.front(), 3000);
    EXPECT_EQ(f.value(QStringLiteral("SELECT STATUS FROM AcessoDia")).toString(),
              QStringLiteral("V"));
    EXPECT_EQ(f.count(QStringLiteral("AcessoDia")), 1);
    EXPECT_TRUE(f.state().EDTMATRICULA.enabled);
}

TEST(ScreenEntry, NameModePicksTheListRow) {
    TerminalFixture f({{QStringLiteral("PROCURAMATRICULANOME"), QStringLiteral("Não")}});
    f.addStudent(QStringLiteral("0000000100"), QStringLiteral("ANA"));
    f.addStudent(QStringLiteral("0000000200"), QStringLiteral("Maria Souza"));
    f.addStudent(QStringLiteral("0000000300"), QStringLiteral("MARCOS"));
    f.show();
    f.screen().keyPressed(0, QLatin1Char('m'));
    f.screen().keyPressed(0, QLatin1Char('a'));
    f.screen().keyPressed(0, QLatin1Char('r'));
    f.screen().keyPressed(0, QLatin1Char('i'));
    EXPECT_EQ(f.unit().currentMatricula, QStringLiteral("0000000200"));
    f.screen().keyPressed(0, QChar(terminal::kEnter));
    EXPECT_EQ(f.unit().currentMatricula, QStringLiteral("0000000200"));
    EXPECT_EQ(f.unit().sharedMatricula, QStringLiteral("0000000200"));
}

// The list is read-only: Insert, Delete and Ctrl+Delete never reach it. Every key down,
// dropped or not, makes the current row's number the current enrollment number.
TEST(ScreenEntry, ListDropsInsertAndDeleteAndTakesTheRowsNumber) {
    struct Case {
        const char* name;
        int key;
        bool ctrl;
        int passedOn;
    };
    const Case cases[] = {
        {"Insert", Qt::Key_Insert, false, 0},     {"Delete", Qt::Key_Delete, false, 0},
        {"Ctrl+Delete", Qt::Key_Delete, true, 0}, {"Down", Qt::Key_Down, false, Qt::Key_Down},
        {"F5", Qt::Key_F5, false, Qt::Key_F5},
    };
    TerminalFixture f;
    f.addStudent(QStringLiteral("0000000100"), QStringLiteral("ANA"));
    f.show();
    f.screen().DBGALUNOSClick(0);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        f.unit().currentMatricula.clear();
        int pressed = c.key;
        f.screen().DBGALUNOSKeyDown(pressed, c.ctrl);
        EXPECT_EQ(pressed, c.passedOn);
        EXPECT_EQ(f.unit().currentMatricula, QStringLiteral("0000000100"));
    }
    QChar letter = QLatin1Char('a');
    f.screen().DBGALUNOSKeyPress(letter);
    EXPECT_TRUE(letter.isNull());
}

} // namespace
} // namespace orvalen::test
