#include "shell/main_window_logic.h"

namespace orvalen::shell {

MainWindowLogic::MainWindowLogic(store::Aviso& aviso, terminal::TerminalUnit& unit)
    : aviso_(aviso), unit_(unit) {}

void MainWindowLogic::FormShow() {
    unit_.cashOpen = false;
    unit_.cashToday = false;
    unit_.biometricMode = 0;
}

bool MainWindowLogic::MNACESSOClick() {
    const QString refusal = cashRefusal({unit_.cashOpen, unit_.cashToday});
    if (refusal.isEmpty()) {
        return true;
    }
    aviso_.AVISO(QStringLiteral("!"), refusal);
    state_.closeRequested = true;
    return false;
}

MenuItemState& MainWindowLogic::item(Item which) {
    switch (which) {
    case Item::Acesso:
        return state_.MNACESSO;
    case Item::Atividades:
        return state_.MNATIVIDADES;
    case Item::Sobre:
        break;
    }
    return state_.MNSobre;
}

void MainWindowLogic::opened(Item which) {
    item(which) = {false, true};
}

void MainWindowLogic::closed(Item which) {
    item(which) = {true, false};
}

} // namespace orvalen::shell
