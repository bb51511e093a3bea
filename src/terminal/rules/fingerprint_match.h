#pragma once

#include <QString>

namespace orvalen::terminal::rules {

// When a typed number (of a student or an employee) must be confirmed by a finger: an
// NBioBSP reader switched on, no verification done yet for this entry, and the terminal
// not in keypad-or-finger mode unless a capture was asked for.
struct FingerprintMatchFacts {
    QString tec12OrBiometrics; // Sacvar2.Tec12ouBiometria
    QString readerSwitch;      // the biometric reader switch
    QString readerType;        // Sacvar2.Tipo_Leitor
    int biometricMode = 0;
};

bool fingerprintMatchRuns(const FingerprintMatchFacts& facts);

} // namespace orvalen::terminal::rules
