#pragma once

#include "store/aviso.h"
#include "store/connection.h"
#include "store/local_settings.h"

#include <memory>

namespace orvalen::shell {

inline constexpr auto kMainConnectionName = "ADOConnectionOrvalen";

// Connects the main database while the main window is being created, before the watchdog
// runs. When the data-link file cannot be read or the database does not answer, the
// operator is told which file and why and asked whether to try again; "Não" gives up and
// the caller ends the application. Returns no connection when the operator gave up.
std::unique_ptr<store::ClubConnection> connectMainDatabase(const store::LocalSettings& local,
                                                           store::Aviso& aviso);

} // namespace orvalen::shell
