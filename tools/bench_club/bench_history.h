#pragma once

#include "bench_club/bench_club.h"
#include "store/connection.h"

#include <QDate>
#include <QRandomGenerator>

namespace orvalen::bench {

// The access history of the last two years (Acesso), in the order the terminal appends it,
// and the grants of the business date so far (AcessoDia, times before `now`). Both name
// active members.
store::Status writeAccessHistory(const store::ClubConnection& connection, qint64 rows,
                                 const QDate& businessDate, QRandomGenerator& random,
                                 const BenchProgress& progress);
store::Status writeTodaysAccesses(const store::ClubConnection& connection, int rows,
                                  const QDateTime& now, QRandomGenerator& random,
                                  const BenchProgress& progress);

} // namespace orvalen::bench
