#pragma once

#include "shell/cash_flags.h"
#include "store/aviso.h"
#include "terminal/terminal_unit.h"

namespace orvalen::shell {

// A menu item's state: disabled and checked while its window is open.
struct MenuItemState {
    bool enabled = true;
    bool checked = false;
};

struct MainWindowState {
    MenuItemState MNACESSO;
    MenuItemState MNATIVIDADES;
    MenuItemState MNSobre;
    bool closeRequested = false; // the main window closes, which ends the application
};

// The main window TFRMPRINCIPAL without its widgets: the menu items and the cash checks of
// "&Abrir", which reads the cash flags the login left in the shared values.
class MainWindowLogic {
public:
    enum class Item { Acesso, Atividades, Sobre };

    MainWindowLogic(store::Aviso& aviso, terminal::TerminalUnit& unit);

    MainWindowState& state() { return state_; }

    // First showing, before the login runs.
    void FormShow();

    // True when the terminal screen may be created; otherwise the cash message has been
    // shown and the main window is to close.
    bool MNACESSOClick();

    // A window opened from the menu or closed again.
    void opened(Item item);
    void closed(Item item);

private:
    MenuItemState& item(Item which);

    store::Aviso& aviso_;
    terminal::TerminalUnit& unit_;
    MainWindowState state_;
};

} // namespace orvalen::shell
