#include "terminal/rules/access_point_activities.h"

namespace orvalen::terminal::rules {

bool admittedAtAccessPoint(const QStringList& accessPointCodes,
                           const HoldsAccessPointActivity& holds, const Reasons& reasons) {
    const QString codes = accessPointCodes.join(QLatin1Char(' ')).simplified();
    for (const QString& code : accessPointCodes) {
        if (code.isEmpty())
            continue;
        if (holds(code)) {
            tell(reasons, "access_point", Verdict::Passes,
                 {{QStringLiteral("codes"), codes}, {QStringLiteral("held"), code}});
            return true;
        }
    }
    tell(reasons, "access_point", Verdict::Refuses, {{QStringLiteral("codes"), codes}});
    return false;
}

} // namespace orvalen::terminal::rules
