#pragma once

#include "store/connection.h"
#include "store/result.h"

#include <QString>

namespace orvalen::store {

// A write that failed and was rolled back: the name the writer gives for its table(s)
// ("Acesso", "AcessoVisitantes/AcessoDia" ...) and the database's reason.
struct WriteFailure {
    QString tableName;
    QString why;
};

// Runs one statement of a write, turning its failure into the change's Status.
Status runWrite(const ClubConnection& connection, const QString& sql,
                const Bindings& bindings = {});

} // namespace orvalen::store
