#pragma once

#include "store/connection.h"
#include "store/result.h"

#include <QStringList>

namespace orvalen::tool {

// Who comes to the turnstile during a run, as typed at the keyboard: active students (the
// club's own mix of paid, overdue, class and partner-pass members) by their number without
// the leading zeros, employees as their badge is typed, and visitors. The same seed gives
// the same people.
store::Result<QStringList> choosePeople(const store::ClubConnection& club, int count, quint32 seed);

// Beginnings of active members' names, one to five letters long, as typed in a name search.
store::Result<QStringList> chooseNameBeginnings(const store::ClubConnection& club, int count,
                                                quint32 seed);

} // namespace orvalen::tool
