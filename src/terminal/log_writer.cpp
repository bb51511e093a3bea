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

store::Status DatabaseLogWriter::write(const std::vector<LogRow>& rows) {
    return connection_.inTransaction([&]() -> store::Status {
        for (const LogRow& row : rows) {
            QStringList names;
            QStringList markers;
            store::Bindings bindings;
            for (const auto& [name, value] : row.columns) {
                names << name;
                markers << QLatin1Char(':') + name;
                bindings.emplace_back(QLatin1Char(':') + name, value);
            }
            const QString sql = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                    .arg(row.table, names.join(QStringLiteral(", ")),
                                         markers.join(QStringLiteral(", ")));
            const auto inserted = connection_.execute(sql, bindings);
            if (!inserted.ok()) {
                return inserted.error();
            }
        }
        return store::Status::success();
    });
}

store::Status DatabaseLogWriter::execute(const QString& sql, const store::Bindings& bindings) {
    return connection_.inTransaction([&]() -> store::Status {
        const auto done = connection_.execute(sql, bindings);
        return done.ok() ? store::Status::success() : store::Status(done.error());
    });
}

store::Status DiscardingLogWriter::write(const std::vector<LogRow>& written) {
    rows.insert(rows.end(), written.begin(), written.end());
    return store::Status::success();
}

store::Status DiscardingLogWriter::execute(const QString& sql, const store::Bindings&) {
    statements.push_back(sql);
    return store::Status::success();
}

} // namespace orvalen::terminal
