#pragma once

#include "terminal/services/turnstile_outputs.h"

#include <QString>
#include <variant>

namespace orvalen::terminal::rules {

using TurnstileSettings = terminal::TurnstileSettings;

// No turnstile: the outcome is held on screen for the access time instead.
struct HoldOnly {};
// A turnstile kind that has no output: nothing happens, not even a wait.
struct NoOutput {};

using TurnstileChoice = std::variant<HoldOnly, NoOutput, TurnstileTarget>;

// "NADA" holds; "R" is the converter, the parallel port or the Wi-Fi relay, in that order;
// "A" is the serial RTS line of the port named by ROLETA; anything else does nothing.
TurnstileChoice chooseTurnstileOutput(const TurnstileSettings& settings);

} // namespace orvalen::terminal::rules
