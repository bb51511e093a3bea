#pragma once

#include <QString>
#include <QStringList>
#include <array>

namespace orvalen::terminal::rules {

inline constexpr int kActivityLabelCount = 12;

// The twelve activity lines of the outcome panel, filled in order. An empty description
// takes no line, and descriptions beyond the twelfth are not shown.
std::array<QString, kActivityLabelCount> activityLabels(const QStringList& descriptions);

} // namespace orvalen::terminal::rules
