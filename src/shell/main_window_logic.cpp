#include "shell/main_window_logic.h"

namespace orvalen::shell {

MainWindowLogic::MainWindowLogic(store::Aviso& aviso, CashFlags& cash, int& biometricMode)
    : aviso_(aviso), cash_(cash), biometricMode_(biometricMode) {}

void MainWindowLogic::FormShow() {
    cash_ = CashFlags{};
    biometricMode_ = 0;
}

bool MainWindowLogic::MNACESSOClick() {
    const QString refusal = cashRefusal(cash_);
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
