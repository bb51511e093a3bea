#pragma once

#include "store/login_lookups.h"

#include <QDate>
#include <optional>

namespace orvalen::shell {

// Whether the club's cash period allows the terminal screen to open.
struct CashFlags {
    bool open = false;  // a cash period is open
    bool today = false; // and it was opened today or later, not left over from an earlier day
};

// From the last CaixaControle row: no row, ABERTO false or CONTADORPDR 0 means no open
// period; otherwise the period is today's unless today is later than its DATA.
CashFlags cashFlags(const std::optional<store::CaixaControleRow>& last, const QDate& today);

// What "&Abrir" says when the cash forbids the terminal screen; empty when it may open.
QString cashRefusal(const CashFlags& flags);

} // namespace orvalen::shell
