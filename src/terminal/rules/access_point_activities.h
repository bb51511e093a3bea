#pragma once

#include "terminal/rules/reasons.h"

#include <QString>
#include <QStringList>
#include <functional>

namespace orvalen::terminal::rules {

// Whether the student holds the activity code (one membership query).
using HoldsAccessPointActivity = std::function<bool(const QString& activityCode)>;

// Walks the access point's activity codes in file order, skipping empty slots, and is
// true at the first code the student holds; asks nothing after that hit.
bool admittedAtAccessPoint(const QStringList& accessPointCodes,
                           const HoldsAccessPointActivity& holds, const Reasons& reasons = {});

} // namespace orvalen::terminal::rules
