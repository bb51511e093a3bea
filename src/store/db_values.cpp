#include "store/db_values.h"

namespace orvalen::store {

QDate zeroDate() {
    return QDate(1899, 12, 30);
}

QVariant dateTimeValue(const Dialect& dialect, const QDateTime& value) {
    if (!value.isValid()) {
        return QVariant(QMetaType::fromType<QDateTime>());
    }
    if (dialect.isSqlite()) {
        return value.toString(QLatin1String(kDateTimeTextFormat));
    }
    return value;
}

QVariant dateValue(const Dialect& dialect, const QDate& value) {
    return dateTimeValue(dialect, value.isValid() ? QDateTime(value, QTime(0, 0)) : QDateTime());
}

QVariant timeOfDayValue(const Dialect& dialect, const QTime& value) {
    return dateTimeValue(dialect, value.isValid() ? QDateTime(zeroDate(), value) : QDateTime());
}

QDateTime readDateTime(const QVariant& value) {
    if (value.isNull() || !value.isValid()) {
        return {};
    }
    if (value.metaType().id() == QMetaType::QDateTime) {
        return value.toDateTime();
    }
    if (value.metaType().id() == QMetaType::QDate) {
        return QDateTime(value.toDate(), QTime(0, 0));
    }
    const QString text = value.toString().trimmed();
    for (const char* format : {kDateTimeTextFormat, "yyyy-MM-dd HH:mm:ss",
                               "yyyy-MM-ddTHH:mm:ss.zzz", "yyyy-MM-ddTHH:mm:ss", "yyyy-MM-dd"}) {
        const QDateTime parsed = QDateTime::fromString(text, QLatin1String(format));
        if (parsed.isValid()) {
            return parsed;
        }
    }
    return {};
}

QDate readDate(const QVariant& value) {
    return readDateTime(value).date();
}

QTime readTime(const QVariant& value) {
    return readDateTime(value).time();
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
