#include "support/terminal_fixture.h"

#include <gtest/gtest.h>

namespace orvalen::test {
namespace {

enum class Button { Teclado, Leitor, Tec12 };

TEST(ScreenModes, ModeButtonsAndTheirMessages) {
    struct Case {
        const char* pinpad;
        const char* tipo;
        const char* label; // label before the press
        Button button;
        const char* message; // empty: no box
        const char* after;
        std::vector<bool> breaks; // what the press did to the reader line's break state
    };
    const Case cases[] = {
        {"NADA",
         "R",
         "Teclado",
         Button::Teclado,
         "Teclado do compudador Configurado.",
         "Teclado",
         {}},
        {"NADA", "R", "Teclado", Button::Leitor, "Leitor Configurado.", "Teclado", {}},
        {"NADA", "R", "Teclado", Button::Tec12, "Tec12 Configurado.", "Teclado", {}},
        {"COM1", "R", "Leitor", Button::Leitor, "Leitor Configurado.", "Leitor", {}},
        // The reader button leaves the break as it was; Tec12 lifts it; the keyboard holds it.
        {"COM1", "R", "Teclado", Button::Leitor, "", "Leitor", {}},
        {"COM1", "R", "Leitor", Button::Tec12, "", "Tec12", {false}},
        {"COM1", "R", "Leitor", Button::Teclado, "", "Teclado", {true}},
        {"COM1", "N", "Biometria", Button::Tec12, "Tec12 Configurado.", "Biometria", {}},
        // Other turnstile types: label and line untouched.
        {"COM1", "X", "Leitor", Button::Teclado, "", "Leitor", {}},
        {"COM1", "X", "Teclado", Button::Tec12, "", "Teclado", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.pinpad) + "/" + c.label + "/" + std::to_string(int(c.button)));
        TerminalFixture f({{QStringLiteral("PINPAD"), QString::fromUtf8(c.pinpad)},
                           {QStringLiteral("TIPO_ROLETA"), QString::fromUtf8(c.tipo)}});
        f.show();
        f.state().LBLTECLADO.caption = QString::fromUtf8(c.label);
        f.readerLine.breaks.clear();
        switch (c.button) {
        case Button::Teclado:
            f.screen().BBNTECLADOClick();
            break;
        case Button::Leitor:
            f.screen().BBNLEITORClick();
            break;
        case Button::Tec12:
            f.screen().BBNTEC12Click();
            break;
        }
        if (*c.message == 0) {
            EXPECT_TRUE(f.aviso.boxes.empty());
        } else {
            ASSERT_EQ(f.aviso.boxes.size(), 1u);
            EXPECT_EQ(f.aviso.boxes[0].kind, QStringLiteral("!"));
            EXPECT_EQ(f.aviso.boxes[0].text, QString::fromUtf8(c.message));
        }
        EXPECT_EQ(f.state().LBLTECLADO.caption, QString::fromUtf8(c.after));
        EXPECT_EQ(f.screen().MPAD_KEYPRESS, c.button != Button::Teclado);
        EXPECT_EQ(f.readerLine.breaks, c.breaks);
    }
}

TEST(ScreenModes, ReaderButtonHidesNameSearch) {
    TerminalFixture f({{QStringLiteral("PINPAD"), QStringLiteral("COM1")},
                       {QStringLiteral("PROCURAMATRICULANOME"), QStringLiteral("Não")}});
    f.show();
    f.state().LBLTECLADO.caption = QStringLiteral("Teclado");
    f.state().PNLNOME.visible = true;
    f.screen().BBNLEITORClick();
    EXPECT_FALSE(f.state().PNLNOME.visible);
    EXPECT_TRUE(f.screen().numberModeActive());
    EXPECT_EQ(f.state().focus, QStringLiteral("EDTMATRICULA"));
}

TEST(ScreenModes, CaptureRequestSetsTheBiometricMode) {
    TerminalFixture f;
    f.show();
    f.screen().BBNCAPTURABIOMETRIAClick();
    EXPECT_EQ(f.unit().biometricMode, 1);
    EXPECT_EQ(f.state().caption, QStringLiteral("Controle de Acesso - Captura Biometria"));
    EXPECT_FALSE(f.state().BBNTECLADO1.enabled);
    EXPECT_FALSE(f.state().keyPreview);
    EXPECT_TRUE(f.screen().captureRequest);
    f.type(QStringLiteral("777"));
    EXPECT_FALSE(f.screen().captureRequest);
    EXPECT_TRUE(f.state().BBNTECLADO1.enabled);
}

// The operator's pick skips the entry's checks: with the day of birth asked after the number,
// the whole dispatch would read the row's last two digits as that day and refuse the number.
TEST(ScreenModes, KeyboardTakeoverEvaluatesTheListRowDirectly) {
    TerminalFixture f({{QStringLiteral("ACESSO_MATRICULA_NASC"), QStringLiteral("Sim")}});
    f.addStudent(QStringLiteral("0000000100"), QStringLiteral("ANA"), QDate(1990, 5, 15));
    f.addPhoto(QStringLiteral("0000000100"), jpegOf(Qt::blue));
    f.show();
    f.screen().BBNTECLADO1Click();
    ASSERT_TRUE(f.screen().keyboardTakeover);
    QStringList heldWith; // the entry field and the information panel while the outcome shows
    f.pump.duringWait = [&] {
        heldWith << f.state().EDTMATRICULA.text << f.state().PNLINFORMACOES.caption;
    };
    f.screen().DBGALUNOSDblClick();
    ASSERT_GE(heldWith.size(), 2);
    EXPECT_EQ(heldWith[0], QStringLiteral("0000000100 - ANA"));
    EXPECT_NE(heldWith[1], QStringLiteral("Inexistente !!!"));
    EXPECT_EQ(f.value(QStringLiteral("SELECT MATRICULA FROM AcessoDia")).toString(),
              QStringLiteral("0000000100"));
    EXPECT_EQ(f.count(QStringLiteral("Acesso")), 1);
    EXPECT_FALSE(f.state().ImageFoto.isNull());
    EXPECT_FALSE(f.screen().keyboardTakeover); // reset followed
}

TEST(ScreenModes, FingerprintOnlyTerminalOpensNoEntry) {
    TerminalFixture f({}, {{QStringLiteral("LEITOR_BIOMETRICO"), QStringLiteral("Sim")},
                           {QStringLiteral("MATRICULADIGITAL"), QStringLiteral("Não")}});
    f.show();
    f.screen().keyPressed(0, QLatin1Char('5'));
    EXPECT_FALSE(f.state().keyPreview);
    EXPECT_FALSE(f.state().PNLFUNDO.visible);
    EXPECT_TRUE(f.state().EDTMATRICULA.text.isEmpty());
}

TEST(ScreenModes, ExitClosesTheScreen) {
    TerminalFixture f({{QStringLiteral("PINPAD"), QStringLiteral("COM1")}});
    f.show();
    f.readerLine.calls.clear();
    f.screen().BBNRETORNAClick();
    EXPECT_EQ(f.readerLine.calls.mid(0, 2),
              QStringList({QStringLiteral("close"), QStringLiteral("break on")}));
    EXPECT_FALSE(f.readerLine.rxChar) << "the closed screen still hears the line";
    EXPECT_TRUE(f.state().closeRequested);
}

} // namespace
} // namespace orvalen::test
