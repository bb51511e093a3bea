#include "recording_aviso.h"
#include "shell/main_window_logic.h"

#include <gtest/gtest.h>

namespace orvalen::shell {
namespace {

TEST(MainWindowLogic, AbrirRefusesWithoutTodaysOpenCashAndClosesTheWindow) {
    struct Case {
        const char* name;
        CashFlags cash;
        bool opens;
        QStringList shown;
    };
    const Case cases[] = {
        {"no open cash period",
         {false, false},
         false,
         {QStringLiteral("!|Por favor abrir o CAIXA !|")}},
        {"open flag alone decides first",
         {false, true},
         false,
         {QStringLiteral("!|Por favor abrir o CAIXA !|")}},
        {"period left open from an earlier day",
         {true, false},
         false,
         {QStringLiteral("!|Por favor fechar o CAIXA do dia anterior!|")}},
        {"today's open period", {true, true}, true, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::RecordingAviso aviso;
        terminal::TerminalUnit unit;
        unit.cashOpen = unit.cashToday = true;
        unit.biometricMode = 3;
        MainWindowLogic logic(aviso, unit);
        logic.FormShow();
        EXPECT_FALSE(unit.cashOpen);
        EXPECT_FALSE(unit.cashToday);
        EXPECT_EQ(unit.biometricMode, 0);
        unit.cashOpen = c.cash.open; // as the login leaves them
        unit.cashToday = c.cash.today;
        EXPECT_EQ(logic.MNACESSOClick(), c.opens);
        EXPECT_EQ(aviso.shown, c.shown);
        EXPECT_EQ(logic.state().closeRequested, !c.opens);
    }
}

} // namespace
} // namespace orvalen::shell
