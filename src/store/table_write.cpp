#include "store/table_write.h"

namespace orvalen::store {

std::optional<WriteFailure> writeToTable(const ClubConnection& main, const QString& tableName,
                                         const std::function<Status()>& change) {
    const Status written = main.inTransaction(change);
    if (written.ok()) {
        return std::nullopt;
    }
    return WriteFailure{tableName, written.error().message};
}

Status runWrite(const ClubConnection& connection, const QString& sql, const Bindings& bindings) {
    auto query = connection.execute(sql, bindings);
    return query.ok() ? Status::success() : Status(query.error());
}

void showWriteFailure(Aviso& aviso, const WriteFailure& failure) {
    aviso.AVISO(QStringLiteral("!"), QLatin1String(kWriteFailureText), failure.tableName);
}

} // namespace orvalen::store
