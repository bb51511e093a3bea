#pragma once

#include <QString>

namespace orvalen::terminal {

// The decimal character codes of the text, one after another without separators: "A"
// gives "65", ESC gives "27".
QString MyStrToAscii(const QString& Texto);

// What one byte from the Tec12 keypad means.
enum class KeypadKey { Digit, Clear, Enter, Other };
KeypadKey keypadKey(char byte);

// The number a card reader sent: one character per byte, control bytes (CR, LF and the
// rest below 32) left out.
QString cardFrameText(const char* bytes, int count);

} // namespace orvalen::terminal
