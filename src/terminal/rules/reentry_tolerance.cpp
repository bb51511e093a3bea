#include "terminal/rules/reentry_tolerance.h"

#include <optional>

namespace orvalen::terminal::rules {

bool reentryAllowed(const std::vector<DayAccess>& today, int toleranceSeconds, const QTime& now,
                    const Reasons& reasons) {
    // The latest grant by its time, whatever order the rows arrive in.
    std::optional<int> latest;
    for (const auto& access : today) {
        if (access.status != QLatin1String("L"))
            continue;
        const int at = access.time.isValid() ? access.time.msecsSinceStartOfDay() : 0;
        if (!latest || at > *latest)
            latest = at;
    }
    if (!latest) {
        tell(reasons, "reentry", Verdict::Passes,
             {{QStringLiteral("tolerance_seconds"), toleranceSeconds}});
        return true;
    }
    const qint64 until =
        static_cast<qint64>(*latest) + static_cast<qint64>(toleranceSeconds) * 1000;
    const qint64 at = now.isValid() ? now.msecsSinceStartOfDay() : 0;
    const bool allowed = at >= until;
    tell(reasons, "reentry", verdictOf(allowed),
         {{QStringLiteral("last_grant"), QTime::fromMSecsSinceStartOfDay(*latest)},
          {QStringLiteral("tolerance_seconds"), toleranceSeconds}});
    return allowed;
}

} // namespace orvalen::terminal::rules
