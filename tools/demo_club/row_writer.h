#pragma once

#include "store/connection.h"
#include "store/result.h"

#include <QDate>
#include <QDateTime>
#include <QSqlQuery>
#include <QString>
#include <QTime>
#include <QVariant>
#include <map>
#include <memory>

namespace orvalen::demo {

// Appends rows with bound values, preparing each table's statement once: the demo club
// writes thousands of rows.
class RowWriter {
public:
    explicit RowWriter(const store::ClubConnection& connection) : connection_(connection) {}

    // Column names with their values; the names come from the generator, never from input.
    store::Status insert(const QString& table, const store::Bindings& row);

    // Values in the form each column type takes in this database.
    QVariant date(const QDate& value) const;
    QVariant dateTime(const QDateTime& value) const;
    QVariant timeOfDay(const QTime& value) const;
    static QVariant flag(bool value) { return value ? 1 : 0; }

    const store::ClubConnection& connection() const { return connection_; }

private:
    const store::ClubConnection& connection_;
    std::map<QString, std::unique_ptr<QSqlQuery>> prepared_;
};

} // namespace orvalen::demo
