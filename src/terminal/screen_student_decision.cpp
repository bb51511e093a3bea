#include "terminal/terminal_screen.h"

namespace orvalen::terminal {

// The student decision comes with the payment and eligibility rules.
void TerminalScreen::PROCURA_RECEBIMENTOS() {}

} // namespace orvalen::terminal
