#include "terminal/rules/fingerprint_match.h"

namespace orvalen::terminal::rules {

bool fingerprintMatchRuns(const FingerprintMatchFacts& facts) {
    return (facts.tec12OrBiometrics == QStringLiteral("Não") || facts.biometricMode == 1) &&
           facts.readerSwitch == QStringLiteral("Sim") && facts.readerType == QStringLiteral("1") &&
           facts.biometricMode != 3;
}

} // namespace orvalen::terminal::rules
