#pragma once

#include "terminal/terminal_unit.h"

namespace orvalen::terminal {

// The fingerprint capture and verification screen, shown modally. It reads the biometric
// mode, the shared enrollment number and the employee kind prefix of the unit, and leaves
// behind the identified number in the shared enrollment number, or a text in the
// biometric message (and possibly the failure flag) when it could not.
class CaptureScreen {
public:
    virtual ~CaptureScreen() = default;
    virtual void showModal(TerminalUnit& unit) = 0;
};

} // namespace orvalen::terminal
