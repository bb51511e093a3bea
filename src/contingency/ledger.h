#pragma once

#include "store/connection.h"
#include "store/result.h"

namespace orvalen::contingency {

// The club database's record of every outbox write it has taken, keyed by terminal and
// sequence, written in the same transaction as the write's rows: a key found there was
// replayed, whatever happened to the terminal afterwards. It also tells which rows were
// decided offline, and which used a partner-pass release another turnstile had used first.
const QString kCreateLedger = QStringLiteral(
    "CREATE TABLE ContingencyLedger (TERMINAL VARCHAR(40) NOT NULL, SEQUENCIA INT NOT NULL, "
    "DECIDED_AT VARCHAR(30) NOT NULL, REPLAYED_AT VARCHAR(30) NOT NULL, "
    "TABELAS VARCHAR(100) NOT NULL, MATRICULA VARCHAR(10) NULL, CONFLITO VARCHAR(200) NULL, "
    "PRIMARY KEY (TERMINAL, SEQUENCIA))");
const QString kInsertLedger = QStringLiteral(
    "INSERT INTO ContingencyLedger (TERMINAL, SEQUENCIA, DECIDED_AT, REPLAYED_AT, TABELAS, "
    "MATRICULA, CONFLITO) VALUES (:TERMINAL, :SEQUENCIA, :DECIDED_AT, :REPLAYED_AT, :TABELAS, "
    ":MATRICULA, :CONFLITO)");
const QString kLedgerHasKey = QStringLiteral(
    "SELECT COUNT(*) FROM ContingencyLedger WHERE TERMINAL = :TERMINAL AND SEQUENCIA = :SEQUENCIA");

// Creates the ledger when the club database does not have it yet.
store::Status ensureLedger(const store::ClubConnection& club);

// Whether the ledger holds the key.
store::Result<bool> ledgerHas(const store::ClubConnection& club, const QString& terminal,
                              qint64 sequence);

} // namespace orvalen::contingency
