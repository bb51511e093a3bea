#pragma once

#include "desk/club_database.h"
#include "store/result.h"

#include <QDateTime>
#include <QJsonObject>
#include <optional>

namespace orvalen::monitor {

// Why the terminal lets the number in or not at that moment, on that business date (the
// terminal's own when none is given), as the page shows it: the outcome, the deciding check,
// and every check with its facts as `orvalen explain` tells them. Computed on the club's
// data as it is now, which the answer says.
store::Result<QJsonObject> explainForDesk(const desk::OpenClub& club, const QString& number,
                                          const QDateTime& at, std::optional<QDate> businessDate);

} // namespace orvalen::monitor
