#include "app/tool/doctor_link_advice.h"

#include "app/tool/doctor_storage_checks.h"
#include "store/datalink.h"

#include <QFile>
#include <QFileInfo>
#include <unistd.h>

namespace orvalen::tool {

namespace {

bool mayUse(const QString& path, int mode) {
    return access(QFile::encodeName(path).constData(), mode) == 0;
}

} // namespace

QString dataLinkFix(const QString& file, const QString& generalFix) {
    const auto link = store::readDataLink(file);
    if (link.ok() && (!link->property(QStringLiteral("Integrated Security")).isEmpty() ||
                      !link->property(QStringLiteral("Trusted_Connection")).isEmpty())) {
        return QStringLiteral("give %1 a SQL Server login instead of Windows integrated "
                              "security: remove Integrated Security (or Trusted_Connection) and "
                              "add User ID=LOGIN;Password=PASSWORD of a login the server accepts "
                              "(SQL Server authentication switched on)")
            .arg(file);
    }
    return generalFix;
}

QString openFix(const store::ConnectionSpec& spec, const QString& file) {
    if (spec.driver != QLatin1String("QSQLITE")) {
        return QStringLiteral("check that the database server is running and reachable and that "
                              "the settings in %1 are right")
            .arg(file);
    }
    const QString database = spec.databaseName;
    const QString folder = QFileInfo(database).absolutePath();
    if (!mayUse(database, R_OK | W_OK) || !mayUse(folder, W_OK | X_OK)) {
        const QString user = runningUser();
        const QString owner = QFileInfo(database).owner();
        return QStringLiteral("the file %1 belongs to %2 and SQLite keeps its journal beside it: "
                              "let %3 read and write the file and its folder %4 (for example "
                              "`chown %3 %1 %4`), or run the terminal as a user who can")
            .arg(database, owner.isEmpty() ? QStringLiteral("another user") : owner, user, folder);
    }
    return QStringLiteral("%1 opens as no SQLite database: stop the terminals and put back the "
                          "last good copy, or correct Data Source in %2")
        .arg(database, file);
}

} // namespace orvalen::tool
