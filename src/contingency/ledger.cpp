#include "contingency/ledger.h"

namespace orvalen::contingency {

namespace {

bool hasLedger(const store::ClubConnection& club) {
    for (const QString& table : club.database().tables()) {
        if (table.compare(QLatin1String("ContingencyLedger"), Qt::CaseInsensitive) == 0) {
            return true;
        }
    }
    return false;
}

} // namespace

store::Status ensureLedger(const store::ClubConnection& club) {
    if (hasLedger(club)) {
        return store::Status::success();
    }
    auto created = club.execute(kCreateLedger);
    // Another terminal replaying at the same moment may have created it first.
    if (!created.ok() && !hasLedger(club)) {
        return store::Error{
            QStringLiteral("cannot create the table ContingencyLedger in the club database: %1 "
                           "(its CREATE TABLE is in the installer's guide)")
                .arg(created.error().message)};
    }
    return store::Status::success();
}

store::Result<bool> ledgerHas(const store::ClubConnection& club, const QString& terminal,
                              qint64 sequence) {
    auto rows = club.fetchAll(kLedgerHasKey, {{QStringLiteral(":TERMINAL"), terminal},
                                              {QStringLiteral(":SEQUENCIA"), sequence}});
    if (!rows.ok()) {
        return rows.error();
    }
    return rows->front().value(0).toInt() > 0;
}

} // namespace orvalen::contingency
