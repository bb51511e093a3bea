#include "terminal/log_writer.h"

#include <QStringList>

namespace orvalen::terminal {

namespace {

store::Status insertRow(const store::ClubConnection& connection, const LogRow& row) {
    QStringList names;
    QStringList markers;
    store::Bindings bindings;
    for (const auto& [name, value] : row.columns) {
        names << name;
        markers << QLatin1Char(':') + name;
        bindings.emplace_back(QLatin1Char(':') + name, value);
    }
    const QString sql =
        QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
            .arg(row.table, names.join(QStringLiteral(", ")), markers.join(QStringLiteral(", ")));
    return store::runWrite(connection, sql, bindings);
}

} // namespace

QVariant LogRow::value(const QString& column) const {
    for (const auto& [name, value] : columns) {
        if (name == column) {
            return value;
        }
    }
    return {};
}

std::optional<store::WriteFailure> DatabaseLogWriter::write(const LogWrite& change) {
    // The table of the statement that runs; after the last one, the table the commit
    // failure is reported under.
    QString table = !change.statements.empty() ? change.statements.front().table
                    : !change.rows.empty()     ? change.rows.front().table
                                               : QString();
    const store::Status done = connection_.inTransaction([&]() -> store::Status {
        for (const LogStatement& statement : change.statements) {
            table = statement.table;
            if (store::Status ran = store::runWrite(connection_, statement.sql, statement.bindings);
                !ran.ok()) {
                return ran;
            }
        }
        for (const LogRow& row : change.rows) {
            table = row.table;
            if (store::Status inserted = insertRow(connection_, row); !inserted.ok()) {
                return inserted;
            }
        }
        return store::Status::success();
    });
    if (done.ok()) {
        return std::nullopt;
    }
    return store::WriteFailure{table, done.error().message};
}

std::optional<store::WriteFailure> DiscardingLogWriter::write(const LogWrite& change) {
    for (const LogStatement& statement : change.statements) {
        statements.push_back(statement.sql);
    }
    rows.insert(rows.end(), change.rows.begin(), change.rows.end());
    return std::nullopt;
}

} // namespace orvalen::terminal
