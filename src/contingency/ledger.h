#pragma once

#include "store/connection.h"
#include "store/result.h"
#include "store/statement_catalogue.h"

namespace orvalen::contingency {

// The club database's record of every outbox write it has taken, keyed by terminal and
// sequence, written in the same transaction as the write's rows: a key found there was
// replayed, whatever happened to the terminal afterwards. It also tells which rows were
// decided offline, and which used a partner-pass release another turnstile had used first.
extern const store::Statement kCreateLedger;
extern const store::Statement kInsertLedger;
extern const store::Statement kLedgerHasKey;

// Creates the ledger when the club database does not have it yet.
store::Status ensureLedger(const store::ClubConnection& club);

// Whether the ledger holds the key.
store::Result<bool> ledgerHas(const store::ClubConnection& club, const QString& terminal,
                              qint64 sequence);

} // namespace orvalen::contingency
