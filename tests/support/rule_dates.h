#pragma once

#include "terminal/rules/record_date.h"

#include <QDate>
#include <QString>
#include <QTime>

namespace orvalen::test {

// Dates and times as the rule tables write them: "31/01/2026", "07:30:00".
inline QDate d(const char* text) {
    return QDate::fromString(QString::fromLatin1(text), QStringLiteral("dd/MM/yyyy"));
}

// A person's date as the rules take it: "?" is a filled value that is no date.
inline terminal::rules::RecordDate rd(const char* text) {
    return QLatin1String(text) == QLatin1String("?") ? terminal::rules::RecordDate::notADate()
                                                     : terminal::rules::RecordDate(d(text));
}

inline QTime t(const char* text) {
    return QTime::fromString(QString::fromLatin1(text), QStringLiteral("HH:mm:ss"));
}

} // namespace orvalen::test
