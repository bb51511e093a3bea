#include "store/db_values.h"

#include "store/stored_date_time.h"

namespace orvalen::store {

QDate zeroDate() {
    return QDate(1899, 12, 30);
}

QVariant dateTimeValue(const Dialect& dialect, const QDateTime& value) {
    // The club's wall clock goes to the database as written, whatever the machine's zone: a
    // local date-time that fell into a summer-time gap is "invalid" to Qt yet holds its day
    // and time, and must not become NULL.
    if (!value.date().isValid() || !value.time().isValid()) {
        return QVariant(QMetaType::fromType<QDateTime>());
    }
    const QDateTime wallClock(value.date(), value.time(), Qt::UTC);
    if (dialect.isSqlite()) {
        return wallClock.toString(QLatin1String(kDateTimeTextFormat));
    }
    return wallClock;
}

QVariant dateValue(const Dialect& dialect, const QDate& value) {
    return dateTimeValue(dialect, value.isValid() ? QDateTime(value, QTime(0, 0)) : QDateTime());
}

QVariant timeOfDayValue(const Dialect& dialect, const QTime& value) {
    return dateTimeValue(dialect, value.isValid() ? QDateTime(zeroDate(), value) : QDateTime());
}

QDate readDate(const QVariant& value) {
    return StoredDateTime::read(value).date();
}

QTime readTime(const QVariant& value) {
    return StoredDateTime::read(value).time();
}

bool readBool(const QVariant& value) {
    if (value.isNull()) {
        return false;
    }
    const QString text = value.toString().trimmed().toLower();
    return text == QLatin1String("1") || text == QLatin1String("true") ||
           text == QLatin1String("-1") || value.toInt() != 0;
}

bool sameKey(const QString& returned, const QString& asked) {
    const auto withoutTrailingBlanks = [](QString text) {
        while (text.endsWith(QLatin1Char(' '))) {
            text.chop(1);
        }
        return text;
    };
    return withoutTrailingBlanks(returned) == withoutTrailingBlanks(asked);
}

} // namespace orvalen::store
