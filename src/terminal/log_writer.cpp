#include "terminal/log_writer.h"

#include <QStringList>

namespace orvalen::terminal {

QVariant LogRow::value(const QString& column) const {
    for (const auto& [name, value] : columns) {
        if (name == column) {
            return value;
        }
    }
    return {};
}

namespace {

// The row's columns, their markers and every value bound by its marker.
struct InsertParts {
    QString columns;
    QString markers;
    store::Bindings bindings;
};

InsertParts insertParts(const LogRow& row) {
    QStringList names;
    QStringList markers;
    InsertParts parts;
    for (const auto& [name, value] : row.columns) {
        names << name;
        markers << QLatin1Char(':') + name;
        parts.bindings.emplace_back(QLatin1Char(':') + name, value);
    }
    parts.columns = names.join(QStringLiteral(", "));
    parts.markers = markers.join(QStringLiteral(", "));
    return parts;
}

} // namespace

store::Status DatabaseLogWriter::write(const std::vector<LogRow>& rows) {
    return connection_.inTransaction([&]() -> store::Status {
        for (const LogRow& row : rows) {
            const InsertParts parts = insertParts(row);
            const QString sql = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                    .arg(row.table, parts.columns, parts.markers);
            const auto inserted = connection_.execute(sql, parts.bindings);
            if (!inserted.ok()) {
                return inserted.error();
            }
        }
        return store::Status::success();
    });
}

store::Result<bool> DatabaseLogWriter::writeBelowLimit(const LogRow& row, const QString& countSql,
                                                       const store::Bindings& countBindings,
                                                       int limit) {
    InsertParts parts = insertParts(row);
    const QString sql = QStringLiteral("INSERT INTO %1 (%2) SELECT %3 WHERE (%4) < :LIMITE")
                            .arg(row.table, parts.columns, parts.markers, countSql);
    parts.bindings.insert(parts.bindings.end(), countBindings.begin(), countBindings.end());
    parts.bindings.emplace_back(QStringLiteral(":LIMITE"), limit);
    bool written = false;
    const store::Status done = connection_.inTransaction([&]() -> store::Status {
        const auto inserted = connection_.execute(sql, parts.bindings);
        if (!inserted.ok()) {
            return inserted.error();
        }
        written = inserted->numRowsAffected() == 1;
        return store::Status::success();
    });
    if (!done.ok()) {
        return done.error();
    }
    return written;
}

store::Result<int> DatabaseLogWriter::execute(const QString& sql, const store::Bindings& bindings) {
    int changed = 0;
    const store::Status done = connection_.inTransaction([&]() -> store::Status {
        const auto query = connection_.execute(sql, bindings);
        if (!query.ok()) {
            return query.error();
        }
        changed = query->numRowsAffected();
        return store::Status::success();
    });
    if (!done.ok()) {
        return done.error();
    }
    return changed;
}

store::Status DiscardingLogWriter::write(const std::vector<LogRow>& written) {
    rows.insert(rows.end(), written.begin(), written.end());
    return store::Status::success();
}

store::Result<bool> DiscardingLogWriter::writeBelowLimit(const LogRow& row, const QString&,
                                                         const store::Bindings&, int) {
    rows.push_back(row);
    return true;
}

store::Result<int> DiscardingLogWriter::execute(const QString& sql, const store::Bindings&) {
    statements.push_back(sql);
    return kRowsNotCounted;
}

} // namespace orvalen::terminal
