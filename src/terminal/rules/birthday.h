#pragma once

#include <QDate>

namespace orvalen::terminal::rules {

// Day and month of the business date equal those of the birth date, the year ignored.
// A member born on 29 February is greeted only in leap years, and nobody without a birth
// date is greeted.
bool isBirthday(const QDate& birth, const QDate& businessDate);

} // namespace orvalen::terminal::rules
