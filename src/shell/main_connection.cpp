#include "shell/main_connection.h"

#include "store/datalink.h"

namespace orvalen::shell {

namespace {

// The connection, or the reason it could not be made.
store::Result<std::unique_ptr<store::ClubConnection>>
tryConnect(const QString& file, const store::LocalSettings& local) {
    auto spec = store::connectionSpecFromFile(file, local);
    if (!spec.ok()) {
        return spec.error();
    }
    auto connection =
        std::make_unique<store::ClubConnection>(spec.value(), QLatin1String(kMainConnectionName));
    const store::Status opened = connection->open();
    if (!opened.ok()) {
        return opened.error();
    }
    return connection;
}

} // namespace

std::unique_ptr<store::ClubConnection> connectMainDatabase(const store::LocalSettings& local,
                                                           store::Aviso& aviso) {
    const QString file = local.filePath(QLatin1String(store::kMainDataLink));
    for (;;) {
        auto connected = tryConnect(file, local);
        if (connected.ok()) {
            return std::move(connected).value();
        }
        const int answer =
            aviso.AVISO(QStringLiteral("?"), QStringLiteral("Banco de Dados não está Ativo !"),
                        file + QStringLiteral("\n\r") + connected.error().message +
                            QStringLiteral("\n\rTentar novamente?"));
        if (answer != store::Aviso::kYes) {
            return nullptr;
        }
    }
}

} // namespace orvalen::shell
