#include "desk/club_database.h"

#include "store/datalink.h"

#include <QDir>

namespace orvalen::desk {

store::Result<OpenClub> openClubDatabase(const QString& folder, const QString& connectionName,
                                         store::OpenMode mode) {
    auto local = store::LocalSettings::load(folder);
    if (!local.ok()) {
        return local.error();
    }
    auto spec = store::connectionSpecFromFile(
        QDir(folder).filePath(QLatin1String(store::kMainDataLink)), local.value());
    if (!spec.ok()) {
        return spec.error();
    }
    auto connection = std::make_unique<store::ClubConnection>(spec.value(), connectionName, mode);
    if (const store::Status opened = connection->open(); !opened.ok()) {
        return opened.error();
    }
    return OpenClub{local.value(), std::move(connection)};
}

} // namespace orvalen::desk
