#pragma once

#include "store/error_log.h"
#include "store/stored_date_time.h"
#include "terminal/rules/record_date.h"

#include <QSet>
#include <QSqlRecord>
#include <QString>

namespace orvalen::terminal {

// Reads the dates of looked-up rows for the rules. A filled value that is no date goes to
// the exception log, once for each column, number and value however often the person
// comes back, and reaches the rule as filled.
class RecordDates {
public:
    explicit RecordDates(store::ErrorLog& errorLog) : errorLog_(errorLog) {}

    // `table` and `number` name the row in the exception log ("AlunosAtivos", "0000010004").
    rules::RecordDate read(const QSqlRecord& record, const char* table, const char* column,
                           const QString& number);

    // Writes a message to the exception log unless this one was written already.
    void logOnce(const QString& message);

private:
    store::ErrorLog& errorLog_;
    QSet<QString> logged_;
};

} // namespace orvalen::terminal
