#include "biometrics/match_rules.h"

namespace orvalen::biometrics {

int minimumScoreForLevel(int level) {
    if (level > kHighestSecurityLevel) {
        level = kHighestSecurityLevel; // asked for more than the highest: never less
    } else if (level < kLowestSecurityLevel) {
        level = kDefaultSecurityLevel;
    }
    return 15 + 3 * level;
}

} // namespace orvalen::biometrics
