#pragma once

#include "store/connection.h"
#include "store/local_settings.h"
#include "store/result.h"

#include <QString>
#include <memory>

namespace orvalen::desk {

// The club database a data-link folder names, open, with the folder's local settings.
struct OpenClub {
    store::LocalSettings local;
    std::unique_ptr<store::ClubConnection> connection;
};

// Reads terminal.ini and Orvalen.udl of the folder and opens the connection under the name;
// a command that only reads opens it read-only.
store::Result<OpenClub> openClubDatabase(const QString& folder, const QString& connectionName,
                                         store::OpenMode mode = store::OpenMode::Existing);

} // namespace orvalen::desk
