#pragma once

#include <QDate>
#include <array>

namespace orvalen::terminal::rules {

// The class's day flags in the order SEG, TER, QUA, QUI, SEX, SAB, DOM (Monday first).
using DayFlags = std::array<bool, 7>;

// Whether a class with these day flags runs on the date's weekday. The weekday comes from
// the date itself, so the answer does not depend on the machine's language.
bool runsOn(const DayFlags& flags, const QDate& date);

} // namespace orvalen::terminal::rules
