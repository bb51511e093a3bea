#pragma once

#include "store/connection.h"

#include <QString>
#include <QStringList>

namespace orvalen::store {

// Some lookups have always compared MATRICULA with the typed number as numbers, so that
// "12345" finds the stored "0000012345" -- and failed outright on any stored number with
// letters in it. Here an all-digit number is matched against the texts of the same value
// written with 0 to 10 leading zeros (the column holds at most 10 characters): the same
// rows as a numeric comparison for all-digit texts, an index can serve it, and a stored
// "12A45" is simply not matched. Any other text is compared exactly.
QStringList sameNumberTexts(const QString& number);

// A condition on the column and its bindings: "col IN (:m0, ..., :mN)" for an all-digit
// number, "col = :m0" otherwise.
struct NumberCondition {
    QString sql;
    Bindings bindings;
};
NumberCondition sameNumberCondition(const QString& column, const QString& number);

} // namespace orvalen::store
