#include "terminal/rules/birthday.h"

namespace orvalen::terminal::rules {

bool isBirthday(const QDate& birth, const QDate& businessDate) {
    if (!birth.isValid() || !businessDate.isValid())
        return false;
    return birth.day() == businessDate.day() && birth.month() == businessDate.month();
}

} // namespace orvalen::terminal::rules
