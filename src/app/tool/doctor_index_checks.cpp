#include "app/tool/doctor_index_checks.h"

#include "store/lookup_indexes.h"

namespace orvalen::tool {

void checkLookupIndexes(const store::ClubConnection& connection, DoctorReport& report) {
    const auto missing = store::missingLookupIndexes(connection.database(), connection.dialect());
    if (!missing.ok()) {
        report.problem(missing.error().message,
                       QStringLiteral("let the database user of %1 read the table definitions")
                           .arg(connection.spec().origin));
        return;
    }
    for (const store::LookupIndex& index : missing.value()) {
        report.problem(
            QStringLiteral("the club database has no index on %1 (%2): the terminal reads the "
                           "whole table at every person")
                .arg(index.table, index.columns.join(QStringLiteral(", "))),
            QStringLiteral("create it, when the back office allows: %1")
                .arg(store::createIndexStatement(index, connection.dialect())));
    }
    if (missing->empty()) {
        report.fact(QStringLiteral("indexes: all %1 the terminal's lookups go by are there")
                        .arg(store::lookupIndexes().size()));
    }
}

} // namespace orvalen::tool
