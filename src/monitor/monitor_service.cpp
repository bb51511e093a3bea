#include "monitor/monitor_service.h"

#include "desk/club_database.h"
#include "monitor/desk_server.h"

#include <QCoreApplication>

// The page's files are in a static library, where the linker would drop their resource
// unless something names it.
static void loadPageResources() {
    Q_INIT_RESOURCE(monitor);
}

namespace orvalen::monitor {

int runMonitor(const MonitorSettings& settings, QTextStream& out, QTextStream& err) {
    auto club = desk::openClubDatabase(settings.folder, QStringLiteral("orvalen-monitor"),
                                       store::OpenMode::ReadOnly);
    if (!club.ok()) {
        err << "orvalen monitor: " << club.error().message << '\n';
        return 1;
    }
    loadPageResources();
    const QString host = settings.address.protocol() == QAbstractSocket::IPv6Protocol
                             ? QLatin1Char('[') + settings.address.toString() + QLatin1Char(']')
                             : settings.address.toString();
    const QString port = QString::number(settings.port);
    QStringList allowedHosts;
    if (settings.address != QHostAddress::Any && settings.address != QHostAddress::AnyIPv4 &&
        settings.address != QHostAddress::AnyIPv6) {
        allowedHosts << host + QLatin1Char(':') + port;
        if (settings.address.isLoopback())
            allowedHosts << QStringLiteral("localhost:") + port;
    }
    DeskServer server(
        club.value(), out, [] { return QDateTime::currentDateTime(); }, allowedHosts);
    if (server.listen(settings.address, settings.port) == 0) {
        err << "orvalen monitor: cannot listen on " << host << ':' << port << '\n';
        return 1;
    }
    out << "orvalen monitor: the desk page is at http://" << host << ':' << port << "/\n";
    out.flush();
    return QCoreApplication::exec();
}

} // namespace orvalen::monitor
