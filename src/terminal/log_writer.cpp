#include "terminal/log_writer.h"

#include "store/payment_lookups.h"
#include "store/schema.h"
#include "store/statement_catalogue.h"

#include <QStringList>

namespace orvalen::terminal {

namespace {

// A condition of the write no longer held: the transaction is rolled back as after a
// failure, and the caller learns that nothing was written.
const QString kConditionGone = QStringLiteral("condition gone");

// Runs one statement of a write; `changed` receives the number of rows it changed.
store::Status runCounted(const store::ClubConnection& connection, const QString& sql,
                         const store::Bindings& bindings, int& changed) {
    auto query = connection.execute(sql, bindings);
    if (!query.ok()) {
        return query.error();
    }
    changed = query->numRowsAffected();
    return store::Status::success();
}

QString insertText(const QString& table, const QStringList& names, const QString& countSql) {
    QStringList markers;
    for (const QString& name : names) {
        markers << QLatin1Char(':') + name;
    }
    const QString columns = names.join(QStringLiteral(", "));
    const QString values = markers.join(QStringLiteral(", "));
    if (countSql.isEmpty()) {
        return QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)").arg(table, columns, values);
    }
    return QStringLiteral("INSERT INTO %1 (%2) SELECT %3 WHERE (%4) < :LIMITE")
        .arg(table, columns, values, countSql);
}

// Each log table's row with every column it declares; an outcome names only the columns
// it sets, in its own order. A student's grant under a daily limit counts in the insert.
std::vector<store::CatalogueEntry> insertEntries(const store::Dialect& dialect) {
    std::vector<store::CatalogueEntry> entries;
    for (const char* table : {"Acesso", "AcessoDia", "AcessoFuncionarios", "AcessoVisitantes"}) {
        QStringList names;
        for (const store::Column& column : store::findTable(QLatin1String(table))->columns) {
            if (column.type != store::ColumnType::Identity) {
                names << column.name;
            }
        }
        const QString name = QLatin1String(table);
        const QString used = QStringLiteral("access log: the row an outcome writes");
        entries.push_back(
            {QStringLiteral("log row %1").arg(name), used, insertText(name, names, QString())});
        if (name == QLatin1String("AcessoDia")) {
            entries.push_back(
                {QStringLiteral("log row AcessoDia under the daily limit"), used,
                 insertText(name, names, store::PaymentLookups::grantedCountForInsert(dialect))});
        }
    }
    return entries;
}

const store::StatementFamily kInserts{&insertEntries};

} // namespace

// INSERT with every value bound by its column's marker; a limited row is inserted by a
// SELECT that counts in the same statement.
store::Status insertLogRow(const store::ClubConnection& connection, const LogRow& row,
                           int& inserted) {
    QStringList names;
    store::Bindings bindings;
    for (const auto& [name, value] : row.columns) {
        names << name;
        bindings.emplace_back(QLatin1Char(':') + name, value);
    }
    if (row.limit) {
        bindings.insert(bindings.end(), row.limit->bindings.begin(), row.limit->bindings.end());
        bindings.emplace_back(QStringLiteral(":LIMITE"), row.limit->limit);
    }
    return runCounted(connection,
                      insertText(row.table, names, row.limit ? row.limit->countSql : QString()),
                      bindings, inserted);
}

QVariant LogRow::value(const QString& column) const {
    for (const auto& [name, value] : columns) {
        if (name == column) {
            return value;
        }
    }
    return {};
}

store::Status applyLogWrite(const store::ClubConnection& connection, const LogWrite& change,
                            QString& table, bool& conditionHeld) {
    for (const LogStatement& statement : change.statements) {
        table = statement.table;
        int changed = 0;
        if (store::Status ran = runCounted(connection, statement.sql, statement.bindings, changed);
            !ran.ok()) {
            return ran;
        }
        if (statement.mustChangeRow && changed == 0) {
            conditionHeld = false;
            return store::Error{kConditionGone};
        }
    }
    for (const LogRow& row : change.rows) {
        table = row.table;
        int inserted = 0;
        if (store::Status ran = insertLogRow(connection, row, inserted); !ran.ok()) {
            return ran;
        }
        if (row.limit && inserted == 0) {
            conditionHeld = false;
            return store::Error{kConditionGone};
        }
    }
    return store::Status::success();
}

LogWriteResult writeResult(const LogWrite& change, const store::ClubConnection& connection,
                           const std::function<store::Status()>& alsoInTransaction) {
    // The table of the statement that runs; after the last one, the table the commit
    // failure is reported under.
    QString table = !change.statements.empty() ? change.statements.front().table
                    : !change.rows.empty()     ? change.rows.front().table
                                               : QString();
    bool conditionHeld = true;
    const store::Status done = connection.inTransaction([&]() -> store::Status {
        if (store::Status applied = applyLogWrite(connection, change, table, conditionHeld);
            !applied.ok()) {
            return applied;
        }
        return alsoInTransaction ? alsoInTransaction() : store::Status::success();
    });
    if (!conditionHeld) {
        return {std::nullopt, false};
    }
    if (done.ok()) {
        return {};
    }
    return {store::WriteFailure{table, done.error().message}, true};
}

LogWriteResult DatabaseLogWriter::write(const LogWrite& change) {
    return writeResult(change, connection_, {});
}

LogWriteResult DiscardingLogWriter::write(const LogWrite& change) {
    for (const LogStatement& statement : change.statements) {
        statements.push_back(statement.sql);
    }
    rows.insert(rows.end(), change.rows.begin(), change.rows.end());
    return {};
}

} // namespace orvalen::terminal
