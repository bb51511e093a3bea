#include "shell/cash_flags.h"

namespace orvalen::shell {

CashFlags cashFlags(const std::optional<store::CaixaControleRow>& last, const QDate& today) {
    if (!last || !last->aberto || last->contadorPdr == 0) {
        return {};
    }
    return {true, !(today > last->data)};
}

QString cashRefusal(const CashFlags& flags) {
    if (!flags.open) {
        return QStringLiteral("Por favor abrir o CAIXA !");
    }
    if (!flags.today) {
        return QStringLiteral("Por favor fechar o CAIXA do dia anterior!");
    }
    return {};
}

} // namespace orvalen::shell
