#include "terminal/terminal_screen.h"

namespace orvalen::terminal {

// The employee decision comes with the employee rules.
void TerminalScreen::FUNCIONARIO() {}

} // namespace orvalen::terminal
