#pragma once

#include "store/connection.h"
#include "store/result.h"
#include "store/statements.h"

#include <QSqlRecord>
#include <QString>
#include <optional>

namespace orvalen::store {

// The screens locate rows in their tables by a column. Instead of loading a whole table
// (clubs have tens of thousands of members) the row is asked for by that column, with
// every column the screen declares for the table.

// First row, in the column's order, whose column holds exactly the text: case and blanks
// count, whatever the database's collation says.
Result<std::optional<QSqlRecord>> locateExact(const ClubConnection& db, const QString& table,
                                              const QString& column, const QString& value);

// First row, in the column's order, whose column begins with the text, case ignored
// (the incremental search of the entry field).
Result<std::optional<QSqlRecord>> locatePrefix(const ClubConnection& db, const QString& table,
                                               const QString& column, const QString& prefix);

// Every row of a table in the given column's order (lists and grids).
Result<Rows> orderedRows(const ClubConnection& db, const QString& table, const QString& orderBy);

} // namespace orvalen::store
