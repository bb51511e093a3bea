#pragma once

#include "store/aviso.h"
#include "store/connection.h"
#include "store/local_settings.h"

#include <functional>
#include <memory>

namespace orvalen::shell {

inline constexpr auto kMainConnectionName = "ADOConnectionOrvalen";

// Connects the main database while the main window is being created, before the watchdog
// runs. When the data-link file cannot be read or the database does not answer, the
// operator is told which file and why and asked whether to try again; "Não" gives up and
// the caller ends the application. Returns no connection when the operator gave up.
// When the database does not answer, `useCopy` (when given) is offered the connection, not
// open, with the reason: when it points the connection at the contingency copy, that
// connection is returned and no box is shown.
using UseCopy = std::function<bool(store::ClubConnection& unopened, const QString& why)>;
std::unique_ptr<store::ClubConnection> connectMainDatabase(const store::LocalSettings& local,
                                                           store::Aviso& aviso,
                                                           const UseCopy& useCopy = {});

} // namespace orvalen::shell
