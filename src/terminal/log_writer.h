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
// rolls them all back. `execute` runs one other change (a delete) in its own transaction.
class LogWriter {
public:
    virtual ~LogWriter() = default;
    virtual store::Status write(const std::vector<LogRow>& rows) = 0;
    virtual store::Status execute(const QString& sql, const store::Bindings& bindings) = 0;
};

// Writes into the club database: INSERT with every value bound, in a transaction.
class DatabaseLogWriter : public LogWriter {
public:
    explicit DatabaseLogWriter(const store::ClubConnection& connection) : connection_(connection) {}
    store::Status write(const std::vector<LogRow>& rows) override;
    store::Status execute(const QString& sql, const store::Bindings& bindings) override;

private:
    const store::ClubConnection& connection_;
};

// Keeps the rows and changes and touches nothing: a dry run.
class DiscardingLogWriter : public LogWriter {
public:
    store::Status write(const std::vector<LogRow>& rows) override;
    store::Status execute(const QString& sql, const store::Bindings& bindings) override;

    std::vector<LogRow> rows;
    std::vector<QString> statements;
};

} // namespace orvalen::terminal
