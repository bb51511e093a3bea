#pragma once

#include "store/connection.h"
#include "store/result.h"

#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <initializer_list>

namespace orvalen::bench {

// Millions of rows into one table: the statement is prepared once and each row binds its
// values by position, the cheapest way through Qt SQL. Run it inside one transaction.
class BulkInsert {
public:
    BulkInsert(const store::ClubConnection& connection, const QString& table,
               const QStringList& columns);

    // The values in the order of the columns given.
    store::Status add(std::initializer_list<QVariant> values);

private:
    QString table_;
    QSqlQuery query_;
    QString prepareError_;
};

} // namespace orvalen::bench
