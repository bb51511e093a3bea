#include "terminal/rules/reentry_tolerance.h"

#include <optional>

namespace orvalen::terminal::rules {

namespace {

// The last moment at or before now whose time of day is the grant's.
QDateTime grantMoment(const DayAccess& access, const QDateTime& now) {
    if (access.unreadable) {
        return now;
    }
    const QTime at = access.time.isValid() ? access.time : QTime(0, 0);
    const QDate day = at <= now.time() ? now.date() : now.date().addDays(-1);
    return QDateTime(day, at, now.timeSpec());
}

} // namespace

bool reentryAllowed(const std::vector<DayAccess>& today, int toleranceSeconds, const QDateTime& now,
                    const Reasons& reasons) {
    // The latest grant, whatever order the rows arrive in.
    std::optional<QDateTime> latest;
    for (const auto& access : today) {
        if (access.status != QLatin1String("L"))
            continue;
        const QDateTime moment = grantMoment(access, now);
        if (!latest || moment > *latest)
            latest = moment;
    }
    if (!latest) {
        tell(reasons, "reentry", Verdict::Passes,
             {{QStringLiteral("tolerance_seconds"), toleranceSeconds}});
        return true;
    }
    const bool allowed = latest->secsTo(now) >= static_cast<qint64>(toleranceSeconds);
    tell(reasons, "reentry", verdictOf(allowed),
         {{QStringLiteral("last_grant"), latest->time()},
          {QStringLiteral("tolerance_seconds"), toleranceSeconds}});
    return allowed;
}

} // namespace orvalen::terminal::rules
