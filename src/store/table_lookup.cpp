#include "store/table_lookup.h"

#include "store/schema.h"

#include <QSqlQuery>

namespace orvalen::store {

namespace {

QString selectDeclared(const QString& table) {
    const Table* declared = findTable(table);
    const QString columns = declared == nullptr
                                ? QStringLiteral("*")
                                : declared->columnNames().join(QStringLiteral(", "));
    return QStringLiteral("SELECT %1 FROM %2").arg(columns, table);
}

// A LIKE pattern that matches the text literally at the start of the value.
QString prefixPattern(const QString& prefix) {
    QString pattern;
    for (QChar c : prefix) {
        if (c == u'!' || c == u'%' || c == u'_' || c == u'[') {
            pattern += u'!';
        }
        pattern += c;
    }
    return pattern + u'%';
}

} // namespace

Result<std::optional<QSqlRecord>> locateExact(const ClubConnection& db, const QString& table,
                                              const QString& column, const QString& value) {
    const QString sql =
        selectDeclared(table) + QStringLiteral(" WHERE %1 = :VALUE ORDER BY %1").arg(column);
    auto query = db.execute(sql, {{QStringLiteral(":VALUE"), value}});
    if (!query.ok()) {
        return query.error();
    }
    // SQL Server compares without regard to case or trailing blanks; the locate does not.
    while (query->next()) {
        if (query->value(column).toString() == value) {
            QSqlRecord found = query->record();
            query->finish();
            return std::optional<QSqlRecord>(found);
        }
    }
    return std::optional<QSqlRecord>();
}

Result<std::optional<QSqlRecord>> locatePrefix(const ClubConnection& db, const QString& table,
                                               const QString& column, const QString& prefix) {
    const QString sql = selectDeclared(table) +
                        QStringLiteral(" WHERE %1 LIKE :PREFIX ESCAPE '!' ORDER BY %1").arg(column);
    auto query = db.execute(db.dialect().firstRowOnly(sql),
                            {{QStringLiteral(":PREFIX"), prefixPattern(prefix)}});
    if (!query.ok()) {
        return query.error();
    }
    std::optional<QSqlRecord> found;
    if (query->next()) {
        found = query->record();
    }
    query->finish();
    return found;
}

Result<Rows> orderedRows(const ClubConnection& db, const QString& table, const QString& orderBy) {
    return db.fetchAll(selectDeclared(table) + QStringLiteral(" ORDER BY ") + orderBy);
}

} // namespace orvalen::store
