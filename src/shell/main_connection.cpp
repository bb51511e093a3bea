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
                                                           store::Aviso& aviso,
                                                           const UseCopy& useCopy) {
    const QString file = local.filePath(QLatin1String(store::kMainDataLink));
    for (;;) {
        auto connected = tryConnect(file, local);
        if (connected.ok()) {
            return std::move(connected).value();
        }
        // Only a database that does not answer is covered by the copy; a data-link file that
        // cannot be read is the installer's to correct.
        if (auto spec = store::connectionSpecFromFile(file, local); spec.ok() && useCopy) {
            auto unopened = std::make_unique<store::ClubConnection>(
                spec.value(), QLatin1String(kMainConnectionName));
            if (useCopy(*unopened, connected.error().message)) {
                return unopened;
            }
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
