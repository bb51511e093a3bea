#pragma once

#include "store/connection.h"
#include "store/result.h"

#include <QDate>
#include <QDateTime>
#include <QString>

namespace orvalen::demo {

// Closed cash periods of the days before the business date, as a club that has been running
// for a while has them.
store::Status writeCashHistory(const store::ClubConnection& connection, const QDate& businessDate,
                               int days, const QString& operatorCode);

// Makes the business date `now.date()`: the last cash period (caixa) is left open when it is of
// that day, otherwise it is closed and a new one opened; the cash control row is marked open
// for that day.
store::Status openCashPeriod(const store::ClubConnection& connection, const QDateTime& now,
                             const QString& operatorCode);

} // namespace orvalen::demo
