#pragma once

#include <QString>

namespace orvalen::store {

// The few expressions the embedded SQLite database writes differently from SQL Server.
// Everything else is sent as the club database expects it.
class Dialect {
public:
    enum class Kind { SqlServer, Sqlite };

    explicit Dialect(Kind kind = Kind::SqlServer) : kind_(kind) {}

    Kind kind() const { return kind_; }
    bool isSqlite() const { return kind_ == Kind::Sqlite; }

    // Text concatenation of two SQL expressions.
    QString concat(const QString& left, const QString& right) const;
    // SUBSTRING(expr, start, length), 1-based as in Transact-SQL.
    QString substring(const QString& expr, int start, int length) const;
    // "Last row in the table's natural order": SQLite has its row ids; SQL Server
    // reads the rows in storage order and the caller keeps the last one.
    QString lastRowOrder() const;
    // The same SELECT statement limited to its first row ("SELECT TOP 1 ..." or "... LIMIT 1"),
    // so that a lookup never makes the server send a whole table.
    QString firstRowOnly(const QString& select) const;
    // The table as read inside a write that depends on what it counts: no other connection
    // may add rows the count would include until the write commits. SQL Server needs a
    // key-range update lock held to the end of the statement's transaction; SQLite's writer
    // already holds the database's only write lock while the statement runs.
    QString heldForWrite(const QString& table) const;

private:
    Kind kind_;
};

} // namespace orvalen::store
