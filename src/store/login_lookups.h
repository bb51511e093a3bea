#pragma once

#include "store/connection.h"
#include "store/result.h"

#include <QDate>
#include <QSqlRecord>
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

// A row of CaixaControle, the club's cash control.
struct CaixaControleRow {
    QDate data;
    int contadorPdr = 0;
    bool aberto = false;
};

CaixaControleRow caixaControleRow(const QSqlRecord& record);

} // namespace orvalen::store
