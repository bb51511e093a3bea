#include "store/login_lookups.h"

#include "store/db_values.h"
#include "store/statement_catalogue.h"

namespace orvalen::store {

namespace {

const Statement kUsuario{"TBLUSUARIOS", "login: the operator by code",
                         "SELECT CODIGO, NOME, SENHA FROM Usuarios WHERE CODIGO = :CODIGO"};

} // namespace

Result<std::optional<Usuario>> findUsuario(const ClubConnection& connection,
                                           const QString& codigo) {
    auto query = connection.execute(kUsuario.text(connection.dialect()),
                                    {{QStringLiteral(":CODIGO"), codigo}});
    if (!query.ok()) {
        return query.error();
    }
    while (query->next()) {
        // "ab" is not operator "AB", whatever the server's collation says.
        if (sameKey(query->value(0).toString(), codigo)) {
            return std::optional<Usuario>{Usuario{query->value(0).toString(),
                                                  query->value(1).toString(),
                                                  query->value(2).toString()}};
        }
    }
    return std::optional<Usuario>{};
}

CaixaControleRow caixaControleRow(const QSqlRecord& record) {
    return {readDate(record.value(QStringLiteral("DATA"))),
            record.value(QStringLiteral("CONTADORPDR")).toInt(),
            readBool(record.value(QStringLiteral("ABERTO")))};
}

} // namespace orvalen::store
