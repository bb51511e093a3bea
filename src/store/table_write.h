#pragma once

#include "store/aviso.h"
#include "store/connection.h"
#include "store/result.h"

#include <QString>
#include <functional>
#include <optional>

namespace orvalen::store {

// A write that failed and was rolled back: the name the writer gives for its table(s)
// ("Acesso", "AcessoVisitantes/AcessoDia" ...) and the database's reason.
struct WriteFailure {
    QString tableName;
    QString why;
};

inline constexpr auto kWriteFailureText = "Gravando na tabela !";

// Runs one write in its own transaction on the main connection: begin, change, commit;
// on any error everything the change did is rolled back. Nothing is returned on success.
std::optional<WriteFailure> writeToTable(const ClubConnection& main, const QString& tableName,
                                         const std::function<Status()>& change);

// Runs one statement of a write, turning its failure into the change's Status.
Status runWrite(const ClubConnection& connection, const QString& sql,
                const Bindings& bindings = {});

// The message the caller shows after a failed write.
void showWriteFailure(Aviso& aviso, const WriteFailure& failure);

} // namespace orvalen::store
