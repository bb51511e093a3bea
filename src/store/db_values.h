#pragma once

#include "store/dialect.h"

#include <QDate>
#include <QDateTime>
#include <QTime>
#include <QVariant>

namespace orvalen::store {

// The one text form dates take in the embedded database, so that a bound business
// date compares equal to a stored one.
inline constexpr auto kDateTimeTextFormat = "yyyy-MM-dd HH:mm:ss.zzz";

// A time of day is stored on the zero date of the club database.
QDate zeroDate();

// Value to bind for a date-time column.
QVariant dateTimeValue(const Dialect& dialect, const QDateTime& value);
QVariant dateValue(const Dialect& dialect, const QDate& value);
QVariant timeOfDayValue(const Dialect& dialect, const QTime& value);

// The day or the time of day of a date column, read by StoredDateTime; invalid when the
// column is empty or unreadable. Only for columns where that changes no decision (what is
// shown or listed): a rule reads StoredDateTime and refuses on an unreadable value.
QDate readDate(const QVariant& value);
QTime readTime(const QVariant& value);

// Reads a bit column stored as a number, a boolean or the texts "true"/"false".
bool readBool(const QVariant& value);

// A key as the statement returned it compared with the one asked for: a server that
// compares without regard to case may return a near match, and blanks that pad a
// fixed-width column are not part of the key.
bool sameKey(const QString& returned, const QString& asked);

} // namespace orvalen::store
