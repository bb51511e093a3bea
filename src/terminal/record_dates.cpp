#include "terminal/record_dates.h"

namespace orvalen::terminal {

rules::RecordDate RecordDates::read(const QSqlRecord& record, const char* table, const char* column,
                                    const QString& number) {
    const store::StoredDateTime value =
        store::StoredDateTime::read(record.value(QLatin1String(column)));
    if (!value.isUnreadable()) {
        return rules::RecordDate(value.date());
    }
    logOnce(store::unreadableDateMessage(
        QLatin1String(table) + QLatin1Char('.') + QLatin1String(column), number, value));
    return rules::RecordDate::notADate();
}

void RecordDates::logOnce(const QString& message) {
    if (!logged_.contains(message)) {
        logged_.insert(message);
        errorLog_.record(message);
    }
}

} // namespace orvalen::terminal
