#include "contingency/ledger.h"

namespace orvalen::contingency {

const store::Statement kCreateLedger{
    "ContingencyLedger create", "contingency replay: the ledger, when the club has none",
    "CREATE TABLE ContingencyLedger (TERMINAL VARCHAR(40) NOT NULL, SEQUENCIA INT NOT NULL, "
    "DECIDED_AT VARCHAR(30) NOT NULL, REPLAYED_AT VARCHAR(30) NOT NULL, "
    "TABELAS VARCHAR(100) NOT NULL, MATRICULA VARCHAR(10) NULL, CONFLITO VARCHAR(200) NULL, "
    "PRIMARY KEY (TERMINAL, SEQUENCIA))"};
const store::Statement kInsertLedger{
    "ContingencyLedger key", "contingency replay: the key of a write, with its rows",
    "INSERT INTO ContingencyLedger (TERMINAL, SEQUENCIA, DECIDED_AT, REPLAYED_AT, TABELAS, "
    "MATRICULA, CONFLITO) VALUES (:TERMINAL, :SEQUENCIA, :DECIDED_AT, :REPLAYED_AT, :TABELAS, "
    ":MATRICULA, :CONFLITO)"};
const store::Statement kLedgerHasKey{
    "ContingencyLedger has key", "contingency replay: whether a write was replayed before",
    "SELECT COUNT(*) FROM ContingencyLedger WHERE TERMINAL = :TERMINAL AND SEQUENCIA = "
    ":SEQUENCIA"};

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
    auto created = club.execute(kCreateLedger.text(club.dialect()));
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
    auto rows = club.fetchAll(
        kLedgerHasKey.text(club.dialect()),
        {{QStringLiteral(":TERMINAL"), terminal}, {QStringLiteral(":SEQUENCIA"), sequence}});
    if (!rows.ok()) {
        return rows.error();
    }
    return rows->front().value(0).toInt() > 0;
}

} // namespace orvalen::contingency
