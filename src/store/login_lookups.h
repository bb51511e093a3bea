#pragma once

#include "store/connection.h"
#include "store/result.h"

#include <QDate>
#include <QString>
#include <optional>

namespace orvalen::store {

// An operator of the Usuarios table. Passwords are kept and compared as stored.
struct Usuario {
    QString codigo;
    QString nome;
    QString senha;
};

// The operator with exactly this code, if any.
Result<std::optional<Usuario>> findUsuario(const ClubConnection& connection, const QString& codigo);

// The last row of CaixaControle in the table's natural order.
struct CaixaControleRow {
    QDate data;
    int contadorPdr = 0;
    bool aberto = false;
};

Result<std::optional<CaixaControleRow>> lastCaixaControle(const ClubConnection& connection);

// Opens a table the way a screen does before it works on it: a query that reads its rows.
// The error carries the database's reason.
Status openTable(const ClubConnection& connection, const QString& table);

} // namespace orvalen::store
