#include "store/login_lookups.h"

#include "store/db_values.h"

#include <QSqlRecord>

namespace orvalen::store {

Result<std::optional<Usuario>> findUsuario(const ClubConnection& connection,
                                           const QString& codigo) {
    auto query = connection.execute(
        QStringLiteral("SELECT CODIGO, NOME, SENHA FROM Usuarios WHERE CODIGO = :CODIGO"),
        {{QStringLiteral(":CODIGO"), codigo}});
    if (!query.ok()) {
        return query.error();
    }
    if (!query->next()) {
        return std::optional<Usuario>{};
    }
    return std::optional<Usuario>{Usuario{query->value(0).toString(), query->value(1).toString(),
                                          query->value(2).toString()}};
}

Result<std::optional<CaixaControleRow>> lastCaixaControle(const ClubConnection& connection) {
    auto query =
        connection.execute(QStringLiteral("SELECT DATA, CONTADORPDR, ABERTO FROM CaixaControle"));
    if (!query.ok()) {
        return query.error();
    }
    std::optional<CaixaControleRow> last;
    while (query->next()) {
        last = CaixaControleRow{readDate(query->value(0)), query->value(1).toInt(),
                                readBool(query->value(2))};
    }
    return last;
}

Status openTable(const ClubConnection& connection, const QString& table) {
    auto query = connection.execute(QStringLiteral("SELECT * FROM ") + table);
    if (!query.ok()) {
        return Error{QStringLiteral("%1: %2").arg(table, query.error().message)};
    }
    return Status::success();
}

} // namespace orvalen::store
