#pragma once

#include <QChar>

namespace orvalen::terminal {

// The characters the entry field tells apart: number mode takes digits, name mode takes
// unaccented letters, both take the editing keys.
inline bool isEntryDigit(QChar key) {
    return key >= QLatin1Char('0') && key <= QLatin1Char('9');
}

inline bool isEntryLetter(QChar key) {
    return (key >= QLatin1Char('A') && key <= QLatin1Char('Z')) ||
           (key >= QLatin1Char('a') && key <= QLatin1Char('z'));
}

// Only a key that types something becomes the first character of the field.
inline bool isPrintableEntryKey(QChar key) {
    return key == QLatin1Char(' ') || isEntryDigit(key) || isEntryLetter(key);
}

} // namespace orvalen::terminal
