#pragma once

#include "store/connection.h"
#include "store/result.h"

#include <QString>
#include <QVariant>
#include <utility>
#include <vector>

namespace orvalen::terminal {

// One access-log row: the table and its columns in the order they are filled.
struct LogRow {
    QString table;
    std::vector<std::pair<QString, QVariant>> columns;

    QVariant value(const QString& column) const;
};

// Where the screen's writes go. All rows of one call share one transaction; a failure
// rolls them all back. `execute` runs one other change (a delete) in its own transaction
// and gives the number of rows it changed, or kRowsNotCounted when nothing was run.
class LogWriter {
public:
    static constexpr int kRowsNotCounted = -1;

    virtual ~LogWriter() = default;
    virtual store::Status write(const std::vector<LogRow>& rows) = 0;
    // Writes the row only while the count the statement gives (with its own bindings) is
    // below the limit; gives whether it was written. The count and the insert are one
    // statement, so two terminals cannot both take the last place under a limit.
    virtual store::Result<bool> writeBelowLimit(const LogRow& row, const QString& countSql,
                                                const store::Bindings& countBindings,
                                                int limit) = 0;
    virtual store::Result<int> execute(const QString& sql, const store::Bindings& bindings) = 0;
};

// Writes into the club database: INSERT with every value bound, in a transaction.
class DatabaseLogWriter : public LogWriter {
public:
    explicit DatabaseLogWriter(const store::ClubConnection& connection) : connection_(connection) {}
    store::Status write(const std::vector<LogRow>& rows) override;
    store::Result<bool> writeBelowLimit(const LogRow& row, const QString& countSql,
                                        const store::Bindings& countBindings, int limit) override;
    store::Result<int> execute(const QString& sql, const store::Bindings& bindings) override;

private:
    const store::ClubConnection& connection_;
};

// Keeps the rows and changes and touches nothing: a dry run.
class DiscardingLogWriter : public LogWriter {
public:
    store::Status write(const std::vector<LogRow>& rows) override;
    // A dry run counts nothing: the row goes with the others.
    store::Result<bool> writeBelowLimit(const LogRow& row, const QString& countSql,
                                        const store::Bindings& countBindings, int limit) override;
    store::Result<int> execute(const QString& sql, const store::Bindings& bindings) override;

    std::vector<LogRow> rows;
    std::vector<QString> statements;
};

} // namespace orvalen::terminal
