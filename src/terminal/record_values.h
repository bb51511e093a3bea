#pragma once

#include "store/db_values.h"

#include <QSqlRecord>
#include <QString>

namespace orvalen::terminal {

// Column values of a looked-up row as the rules take them; dates go by RecordDates.
inline bool recordBool(const QSqlRecord& record, const char* column) {
    return store::readBool(record.value(QLatin1String(column)));
}

inline QString recordText(const QSqlRecord& record, const char* column) {
    return record.value(QLatin1String(column)).toString();
}

inline int recordInt(const QSqlRecord& record, const char* column) {
    return record.value(QLatin1String(column)).toInt();
}

inline double recordDouble(const QSqlRecord& record, const char* column) {
    return record.value(QLatin1String(column)).toDouble();
}

} // namespace orvalen::terminal
