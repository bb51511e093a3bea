#include "terminal/record_dates.h"

namespace orvalen::terminal {

store::StoredDateTime RecordDates::readStored(const QSqlRecord& record, const char* table,
                                              const char* column, const QString& number) {
    const store::StoredDateTime value =
        store::StoredDateTime::read(record.value(QLatin1String(column)));
    if (value.isUnreadable()) {
        logOnce(store::unreadableDateMessage(
            QLatin1String(table) + QLatin1Char('.') + QLatin1String(column), number, value));
    }
    return value;
}

rules::RecordDate RecordDates::read(const QSqlRecord& record, const char* table, const char* column,
                                    const QString& number) {
    const store::StoredDateTime value = readStored(record, table, column, number);
    return value.isUnreadable() ? rules::RecordDate::notADate() : rules::RecordDate(value.date());
}

void RecordDates::logOnce(const QString& message) {
    if (!logged_.contains(message)) {
        logged_.insert(message);
        errorLog_.record(message);
    }
}

} // namespace orvalen::terminal
