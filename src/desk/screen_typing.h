#pragma once

#include "terminal/terminal_screen.h"

#include <QString>

namespace orvalen::desk {

// Types the text as at the terminal, all but Enter: the first key opens the entry, the mode
// is the one asked for (name or number), then every character. False when the terminal
// opened no entry (a Tec12 keypad, fingerprint only).
bool typeAtKeyboard(terminal::TerminalScreen& screen, const QString& text, bool nameMode);

// Enter, as the keyboard gives it.
void pressEnter(terminal::TerminalScreen& screen);

} // namespace orvalen::desk
