#pragma once

#include "contingency/away_switch.h"
#include "store/aviso.h"
#include "store/connection.h"
#include "store/error_log.h"
#include "store/local_settings.h"
#include "terminal/terminal_unit.h"

#include <QWidget>
#include <functional>

namespace orvalen::shell {

// What the main window lends to the screens it opens: the main connection it owns, the
// installation's local settings, the application-wide values, the message box and the log.
struct ShellContext {
    store::ClubConnection& connection;
    const store::LocalSettings& local;
    terminal::TerminalUnit& unit;
    store::Aviso& aviso;
    store::ErrorLog& log;
    // Which database the connection serves while the club's is away; none: contingency off.
    contingency::AwaySwitch* away = nullptr;
};

// Creates the terminal screen owned by the main window. The screen shows itself and is
// deleted when it closes; null when it could not be created (it said why).
using TerminalFactory = std::function<QWidget*(const ShellContext& context, QWidget* mainWindow)>;

} // namespace orvalen::shell
