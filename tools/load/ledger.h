#pragma once

#include <QMap>
#include <QString>
#include <QStringList>
#include <tuple>

namespace orvalen::load {

// One kind of access-log row as the checks count it: the table, MATRICULA and STATUS
// (empty where the table has no such column).
struct RowKey {
    QString table;
    QString matricula;
    QString status;

    bool operator<(const RowKey& other) const {
        return std::tie(table, matricula, status) <
               std::tie(other.table, other.matricula, other.status);
    }
    bool operator==(const RowKey& other) const = default;
};

using RowCounts = QMap<RowKey, long>;

// The rows a terminal reports it wrote, one line each: TABLE, MATRICULA and STATUS
// separated by tabs.
QString ledgerLine(const RowKey& key);
// Adds the rows of a ledger's text to the counts; the lines it cannot read, for the error.
QStringList addLedger(const QString& text, RowCounts& counts);

} // namespace orvalen::load
