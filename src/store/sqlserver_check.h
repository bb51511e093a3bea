#pragma once

#include <QString>

namespace orvalen::store {

// A read-only T-SQL script for a club's DBA (sqlcmd or Management Studio): each table,
// column and index the terminal expects, and whether the database has it with a type the
// terminal can read. Made from the schema and the lookups' indexes, so it checks what the
// doctor checks over the connection.
QString sqlServerCheckScript();

} // namespace orvalen::store
