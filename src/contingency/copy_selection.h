#pragma once

#include <QString>
#include <vector>

namespace orvalen::contingency {

// The rows of one club table the copy keeps: what the terminal's decisions read, and no
// more. `where` is empty for a whole table; it binds :DESDE, the first day kept.
struct TableSelection {
    QString table;
    QString where;
};

// Every table of the schema with the rows it keeps. Photos stay out when `photos` is false.
std::vector<TableSelection> copySelection(bool photos);

// The statement that reads one table's kept rows, its columns named as the schema names them.
QString selectStatement(const TableSelection& selection);

} // namespace orvalen::contingency
