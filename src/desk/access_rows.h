#pragma once

#include "store/connection.h"
#include "store/result.h"

#include <QDate>
#include <QString>
#include <QTime>
#include <optional>
#include <vector>

namespace orvalen::desk {

// One row of an access table, as the log shows it.
struct AccessRow {
    QString table;
    QDate date;
    QTime time;
    QString number;
    QString name;
    QString status; // "L", "S", "H", "V"; empty for an employee's row, which has none
    QString obs;
    QString unit; // FILIAL, and the branch code CODIGO_FILIAL when the row has one
};

struct AccessFilter {
    std::optional<QDate> date;
    std::optional<QString> number; // MATRICULA as stored
    std::optional<QString> status;
    std::optional<QTime> from; // rows at or after this time of day (the desk page's polling)
};

// The rows of Acesso, AcessoDia, AcessoFuncionarios and AcessoVisitantes that the filter
// admits, by date and time. A row without a name takes the one on file (AlunosAtivos,
// Funcionarios); visitor rows have no number and status "V"; a status filter leaves employee
// rows out.
store::Result<std::vector<AccessRow>> readAccessRows(const store::ClubConnection& connection,
                                                     const AccessFilter& filter);

} // namespace orvalen::desk
