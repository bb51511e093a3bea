#include "app/tool/contingency_club.h"

#include "store/datalink.h"

#include <QDir>

namespace orvalen::tool {

std::optional<ClubOrCopy> openClubOrCopy(const QString& folder, const QString& command,
                                         QTextStream& err, store::OpenMode mode) {
    const QString said = QStringLiteral("orvalen ") + command + QStringLiteral(": ");
    auto local = store::LocalSettings::load(folder);
    if (!local.ok()) {
        err << said << local.error().message << '\n';
        return std::nullopt;
    }
    // A data-link file that cannot be read is an installation fault, not an absent server:
    // no copy decides then.
    auto spec = store::connectionSpecFromFile(
        QDir(folder).filePath(QLatin1String(store::kMainDataLink)), local.value());
    if (!spec.ok()) {
        err << said << spec.error().message << '\n';
        return std::nullopt;
    }
    const QString name = QStringLiteral("orvalen-") + command;
    auto connection = std::make_unique<store::ClubConnection>(spec.value(), name, mode);
    const store::Status opened = connection->open();
    if (opened.ok()) {
        return ClubOrCopy{desk::OpenClub{local.value(), std::move(connection)}, std::nullopt};
    }
    connection.reset();
    auto copy = contingency::openYoungCopy(local->contingency, QDateTime::currentDateTime(), name);
    if (!copy.ok()) {
        err << said << opened.error().message << '\n';
        if (local->contingency.enabled) {
            err << said << "no decision from the contingency copy: " << copy.error().message
                << '\n';
        }
        return std::nullopt;
    }
    return ClubOrCopy{desk::OpenClub{local.value(), std::move(copy->connection)}, copy->info};
}

} // namespace orvalen::tool
