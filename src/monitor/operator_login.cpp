#include "monitor/operator_login.h"

namespace orvalen::monitor {

store::Result<std::optional<store::Usuario>> checkOperator(const store::ClubConnection& connection,
                                                           const QString& code,
                                                           const QString& password) {
    if (code.isEmpty() || password.isEmpty())
        return std::optional<store::Usuario>{};
    auto found = store::findUsuario(connection, code);
    if (!found.ok())
        return found.error();
    if (!found.value() || found.value()->senha != password)
        return std::optional<store::Usuario>{};
    return found.value();
}

} // namespace orvalen::monitor
