#pragma once

#include "store/result.h"
#include "terminal/rules/reasons.h"
#include "terminal/rules/record_date.h"

#include <QDate>
#include <QString>

namespace orvalen::terminal::rules {

// Whether the business date lies in or before the last allowed month ACESSOLIBERADO,
// written "MM/YYYY". Empty means no limit. A value that does not read as a month and year
// is an error naming it.
store::Result<bool> withinAllowedMonth(const QString& allowedMonth, const QDate& businessDate);

// A dismissed employee (any dismissal date, readable or not) never passes; otherwise the
// allowed month decides.
store::Result<bool> employeeMayEnter(const RecordDate& dismissed, const QString& allowedMonth,
                                     const QDate& businessDate, const Reasons& reasons = {});

// The fingerprint identity of an employee: "091" and characters 4 to 10 of the number.
QString employeeFingerprintIdentity(const QString& employeeNumber);

} // namespace orvalen::terminal::rules
