#include "app/tool/monitor_command.h"

#include "monitor/monitor_service.h"
#include "store/datalink.h"

#include <optional>

namespace orvalen::tool {

namespace {

// ADDRESS:PORT, the address in brackets when it is IPv6 ("[::1]:8470").
bool readListen(const QString& text, monitor::MonitorSettings& settings) {
    const qsizetype colon = text.lastIndexOf(QLatin1Char(':'));
    if (colon <= 0)
        return false;
    QString host = text.left(colon);
    if (host.startsWith(QLatin1Char('[')) && host.endsWith(QLatin1Char(']')))
        host = host.mid(1, host.size() - 2);
    bool ok = false;
    const uint port = text.mid(colon + 1).toUInt(&ok);
    const QHostAddress address(host);
    if (!ok || port > 65535 || address.isNull())
        return false;
    settings.address = address;
    settings.port = static_cast<quint16>(port);
    return true;
}

std::optional<monitor::MonitorSettings> parse(const QStringList& arguments, QTextStream& err) {
    monitor::MonitorSettings settings;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        const bool hasValue = i + 1 < arguments.size();
        if (argument == QLatin1String("--datalink-dir") && hasValue) {
            settings.folder = arguments[++i];
        } else if (argument == QLatin1String("--listen") && hasValue) {
            if (!readListen(arguments[++i], settings)) {
                err << "orvalen monitor: --listen takes ADDRESS:PORT (127.0.0.1:8470), not '"
                    << arguments[i] << "'\n";
                return std::nullopt;
            }
        } else {
            err << "orvalen monitor: unknown argument '" << argument << "'\n";
            return std::nullopt;
        }
    }
    if (settings.folder.isEmpty())
        settings.folder = store::dataLinkFolder({});
    return settings;
}

} // namespace

int monitorCommand(CommandContext& context) {
    const auto settings = parse(context.arguments, context.err);
    if (!settings)
        return 2;
    return monitor::runMonitor(*settings, context.out, context.err);
}

} // namespace orvalen::tool
