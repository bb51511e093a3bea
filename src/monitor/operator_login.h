#pragma once

#include "store/connection.h"
#include "store/login_lookups.h"
#include "store/result.h"

#include <optional>

namespace orvalen::monitor {

// The operator whose code and password are right, checked as the terminal's login checks
// them: the code found in Usuarios, the password equal to the stored one and not empty.
store::Result<std::optional<store::Usuario>> checkOperator(const store::ClubConnection& connection,
                                                           const QString& code,
                                                           const QString& password);

} // namespace orvalen::monitor
