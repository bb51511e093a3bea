#include "store/table_write.h"

namespace orvalen::store {

Status runWrite(const ClubConnection& connection, const QString& sql, const Bindings& bindings) {
    auto query = connection.execute(sql, bindings);
    return query.ok() ? Status::success() : Status(query.error());
}

} // namespace orvalen::store
