#pragma once

#include "store/dialect.h"
#include "store/result.h"

#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <vector>

namespace orvalen::store {

enum class ColumnType {
    Text,
    Ansi,
    Int16,
    Int32,
    Float,
    Money,
    Bool,
    DateTime,
    Date,
    Blob,
    Memo,
    Identity
};

struct Column {
    QString name;
    ColumnType type;
    int size = 0; // characters, for text columns
};

struct Table {
    QString name;
    std::vector<Column> columns;

    const Column* column(const QString& name) const;
    QStringList columnNames() const;
};

// Every table and column the terminal, the login, the enrolment screen and the dialogs
// read or write, with the types and sizes they declare.
const std::vector<Table>& clubSchema();
const Table* findTable(const QString& name);

// Declared type of a column in the given dialect's DDL.
QString declaredType(const Column& column, const Dialect& dialect);

// Creates every table the database does not have yet, and the lookups' indexes
// (lookup_indexes.h).
Status createSchema(QSqlDatabase& db, const Dialect& dialect);

// Names every missing table and every missing column ("Table" or "Table.COLUMN"),
// compared without regard to case as the club database does.
QStringList missingFromSchema(const QSqlDatabase& db);

} // namespace orvalen::store
