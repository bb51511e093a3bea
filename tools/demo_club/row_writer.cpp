#include "demo_club/row_writer.h"

#include "store/db_values.h"

#include <QStringList>

namespace orvalen::demo {

store::Status RowWriter::insert(const QString& table, const store::Bindings& row) {
    QStringList columns;
    for (const auto& [name, value] : row) {
        columns << name;
    }
    const QString key =
        table + QLatin1Char('(') + columns.join(QLatin1Char(',')) + QLatin1Char(')');
    auto found = prepared_.find(key);
    if (found == prepared_.end()) {
        auto query = std::make_unique<QSqlQuery>(connection_.database());
        const QString sql = QStringLiteral("INSERT INTO %1 (%2) VALUES (:%3)")
                                .arg(table, columns.join(QStringLiteral(", ")),
                                     columns.join(QStringLiteral(", :")));
        if (!query->prepare(sql)) {
            return store::Error{QStringLiteral("cannot prepare the rows of %1: %2")
                                    .arg(table, store::describeError(*query))};
        }
        found = prepared_.emplace(key, std::move(query)).first;
    }
    QSqlQuery& query = *found->second;
    for (const auto& [name, value] : row) {
        query.bindValue(QLatin1Char(':') + name, value);
    }
    if (!query.exec()) {
        return store::Error{
            QStringLiteral("cannot write a row of %1: %2").arg(table, store::describeError(query))};
    }
    return store::Status::success();
}

QVariant RowWriter::date(const QDate& value) const {
    return store::dateValue(connection_.dialect(), value);
}

QVariant RowWriter::dateTime(const QDateTime& value) const {
    return store::dateTimeValue(connection_.dialect(), value);
}

QVariant RowWriter::timeOfDay(const QTime& value) const {
    return store::timeOfDayValue(connection_.dialect(), value);
}

} // namespace orvalen::demo
