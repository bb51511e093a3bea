#pragma once

#include <QDate>
#include <QString>
#include <QTime>

namespace orvalen::test {

// Dates and times as the rule tables write them: "31/01/2026", "07:30:00".
inline QDate d(const char* text) {
    return QDate::fromString(QString::fromLatin1(text), QStringLiteral("dd/MM/yyyy"));
}

inline QTime t(const char* text) {
    return QTime::fromString(QString::fromLatin1(text), QStringLiteral("HH:mm:ss"));
}

} // namespace orvalen::test
