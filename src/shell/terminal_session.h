#pragma once

#include "shell/shell_context.h"

namespace orvalen::shell {

// "&Abrir": the terminal screen with its services and its full-screen window, kept together
// for as long as the window is open; closing the window frees them all.
QWidget* openTerminalScreen(const ShellContext& context, QWidget* mainWindow);

} // namespace orvalen::shell
