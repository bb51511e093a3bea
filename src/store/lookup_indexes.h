#pragma once

#include "store/dialect.h"
#include "store/result.h"

#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <vector>

namespace orvalen::store {

// An index one of the terminal's lookups goes by. Without it the lookup reads the whole
// table, which a club of tens of thousands of members feels at every person.
struct LookupIndex {
    QString name;
    QString table;
    QStringList columns; // in key order
    // The first column is compared without regard to case (the name search); SQL Server's
    // collation does so already, SQLite must be told.
    bool firstWithoutCase = false;
};

// Every index the terminal's lookups need, in one place: the demo club and the large-club
// generator create them, `orvalen doctor` names those a club database lacks.
const std::vector<LookupIndex>& lookupIndexes();

// The statement that creates the index in the dialect; on SQLite it leaves an existing one.
QString createIndexStatement(const LookupIndex& index, const Dialect& dialect);

// The lookup indexes the database lacks: no index of the table begins with the same key
// columns (whatever its name). A table that does not exist is the schema check's business
// and is not reported here.
Result<std::vector<LookupIndex>> missingLookupIndexes(const QSqlDatabase& db,
                                                      const Dialect& dialect);

} // namespace orvalen::store
