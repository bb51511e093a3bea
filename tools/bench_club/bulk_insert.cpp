#include "bench_club/bulk_insert.h"

namespace orvalen::bench {

BulkInsert::BulkInsert(const store::ClubConnection& connection, const QString& table,
                       const QStringList& columns)
    : table_(table), query_(connection.database()) {
    QStringList marks;
    for (qsizetype i = 0; i < columns.size(); ++i) {
        marks << QStringLiteral("?");
    }
    const QString sql =
        QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
            .arg(table, columns.join(QStringLiteral(", ")), marks.join(QStringLiteral(", ")));
    if (!query_.prepare(sql)) {
        prepareError_ = store::describeError(query_);
    }
}

store::Status BulkInsert::add(std::initializer_list<QVariant> values) {
    if (!prepareError_.isEmpty()) {
        return store::Error{
            QStringLiteral("cannot prepare the rows of %1: %2").arg(table_, prepareError_)};
    }
    int position = 0;
    for (const QVariant& value : values) {
        query_.bindValue(position++, value);
    }
    if (!query_.exec()) {
        return store::Error{QStringLiteral("cannot write a row of %1: %2")
                                .arg(table_, store::describeError(query_))};
    }
    return store::Status::success();
}

} // namespace orvalen::bench
