#include "terminal/rules/access_point_activities.h"

namespace orvalen::terminal::rules {

bool admittedAtAccessPoint(const QStringList& accessPointCodes,
                           const HoldsAccessPointActivity& holds) {
    for (const QString& code : accessPointCodes) {
        if (code.isEmpty())
            continue;
        if (holds(code))
            return true;
    }
    return false;
}

} // namespace orvalen::terminal::rules
