#pragma once

#include "store/db_values.h"

#include <QDate>
#include <QSqlRecord>
#include <QString>

namespace orvalen::terminal {

// Column values of a looked-up row as the rules take them; an empty date is invalid.
inline QDate recordDate(const QSqlRecord& record, const char* column) {
    return store::readDate(record.value(QLatin1String(column)));
}

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
