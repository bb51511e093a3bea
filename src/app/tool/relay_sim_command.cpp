#include "app/tool/relay_sim_command.h"

#include "hardware/simulated_relay.h"

#include <QCoreApplication>
#include <optional>

namespace orvalen::tool {

namespace {

struct RelaySimOptions {
    QString address = QStringLiteral("127.0.0.1");
    quint16 port = 8080;
    bool silent = false;
};

std::optional<RelaySimOptions> parse(const QStringList& arguments, QTextStream& err) {
    RelaySimOptions options;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        const bool hasValue = i + 1 < arguments.size();
        if (argument == QLatin1String("--port") && hasValue) {
            bool ok = false;
            const uint port = arguments[++i].toUInt(&ok);
            if (!ok || port > 65535) {
                err << "orvalen relay-sim: --port takes a number from 0 to 65535, not '"
                    << arguments[i] << "'\n";
                return std::nullopt;
            }
            options.port = quint16(port);
        } else if (argument == QLatin1String("--address") && hasValue) {
            options.address = arguments[++i];
        } else if (argument == QLatin1String("--silent")) {
            options.silent = true;
        } else {
            err << "orvalen relay-sim: unexpected argument '" << argument
                << "'\nusage: orvalen relay-sim [--port N] [--address 127.0.0.1] [--silent]\n";
            return std::nullopt;
        }
    }
    return options;
}

} // namespace

int relaySimCommand(CommandContext& context) {
    const auto options = parse(context.arguments, context.err);
    if (!options) {
        return 2;
    }
    hardware::SimulatedRelay relay;
    relay.setAnswering(!options->silent);
    if (const QString refused = relay.listen(options->address, options->port); !refused.isEmpty()) {
        context.err << "orvalen relay-sim: " << refused << '\n';
        return 2;
    }
    context.out << "relay simulator on " << relay.address()
                << (options->silent ? ", never answering" : ", answering 200")
                << "; set Sacvar2.CatracaWireless to " << relay.address() << "; Ctrl+C ends it\n";
    context.out.flush();
    relay.setOnRequest([&context](const hardware::RelayRequest& request) {
        context.out << request.at.toString(QStringLiteral("HH:mm:ss.zzz")) << ' '
                    << QString::fromLatin1(request.line) << '\n';
        context.out.flush();
    });
    return QCoreApplication::exec();
}

} // namespace orvalen::tool
