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
    DeskServer server(club.value(), out, [] { return QDateTime::currentDateTime(); });
    const quint16 port = server.listen(settings.address, settings.port);
    if (port == 0) {
        err << "orvalen monitor: cannot listen on " << settings.address.toString() << ':'
            << settings.port << '\n';
        return 1;
    }
    const QString host = settings.address.protocol() == QAbstractSocket::IPv6Protocol
                             ? QLatin1Char('[') + settings.address.toString() + QLatin1Char(']')
                             : settings.address.toString();
    out << "orvalen monitor: the desk page is at http://" << host << ':' << port << "/\n";
    out.flush();
    return QCoreApplication::exec();
}

} // namespace orvalen::monitor
