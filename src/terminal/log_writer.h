#pragma once

#include "store/connection.h"
#include "store/result.h"
#include "store/table_write.h"

#include <QString>
#include <QVariant>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

namespace orvalen::terminal {

// A row written only while a count stays below a limit, counted in the same statement that
// inserts it, so that two turnstiles cannot both take the last place under the daily limit.
struct RowLimit {
    QString countSql; // a SELECT COUNT(...) with its own bindings
    store::Bindings bindings;
    int limit = 0;
};

// One access-log row: the table and its columns in the order they are filled.
struct LogRow {
    QString table;
    std::vector<std::pair<QString, QVariant>> columns;
    std::optional<RowLimit> limit;

    QVariant value(const QString& column) const;
};

// A change that stands or falls with the rows it goes with, such as the deletion of the
// partner-pass release a grant uses up. One that must change a row gives the write up when
// it finds nothing: another turnstile has used the release meanwhile.
struct LogStatement {
    QString table; // named when the change fails
    QString sql;
    store::Bindings bindings;
    bool mustChangeRow = false;
};

// Everything one outcome writes: the statements first, then the rows, all in one
// transaction, so that a failure leaves neither half a log nor a used-up release.
struct LogWrite {
    std::vector<LogStatement> statements;
    std::vector<LogRow> rows;
};

// How a write ended: written; given up with nothing written because a statement or a
// limited row found its condition gone (`conditionHeld` false); or failed and rolled back.
struct LogWriteResult {
    std::optional<store::WriteFailure> failure;
    bool conditionHeld = true;
};

// Where the screen's writes go. A failure rolls the whole write back and names the table
// whose statement failed (the last one's when the commit fails) with the database's reason.
class LogWriter {
public:
    virtual ~LogWriter() = default;
    virtual LogWriteResult write(const LogWrite& change) = 0;
    // False for a dry run: the screen then changes nothing else in the database either.
    virtual bool changesDatabase() const { return true; }
};

// Inserts one row with every value bound; `inserted` is 0 when a limited row found its
// limit reached.
store::Status insertLogRow(const store::ClubConnection& connection, const LogRow& row,
                           int& inserted);

// Runs every statement and row of `change` on the connection, inside the caller's
// transaction; `table` names the one that ran last, `conditionHeld` turns false when a
// statement or a limited row found its condition gone.
store::Status applyLogWrite(const store::ClubConnection& connection, const LogWrite& change,
                            QString& table, bool& conditionHeld);

// applyLogWrite in a transaction of its own, with `alsoInTransaction` (may be empty) run
// after it in the same transaction, as the outcome of a write.
LogWriteResult writeResult(const LogWrite& change, const store::ClubConnection& connection,
                           const std::function<store::Status()>& alsoInTransaction);

// Writes into the club database: INSERT with every value bound, in a transaction.
class DatabaseLogWriter : public LogWriter {
public:
    explicit DatabaseLogWriter(const store::ClubConnection& connection) : connection_(connection) {}
    LogWriteResult write(const LogWrite& change) override;

private:
    const store::ClubConnection& connection_;
};

// Keeps the rows and changes and touches nothing: a dry run, where every condition holds.
class DiscardingLogWriter : public LogWriter {
public:
    LogWriteResult write(const LogWrite& change) override;
    bool changesDatabase() const override { return false; }

    std::vector<LogRow> rows;
    std::vector<QString> statements;
};

} // namespace orvalen::terminal
