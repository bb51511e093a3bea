#pragma once

#include "store/connection.h"
#include "store/error_log.h"
#include "store/result.h"

#include <QDateTime>

namespace orvalen::contingency {

struct ReplayFigures {
    int replayed = 0;  // writes the club database took now
    int already = 0;   // writes its ledger already held (another replay took them)
    int conflicts = 0; // partner-pass releases used meanwhile at another turnstile
    int waiting = 0;   // still in the outbox after this replay
    qint64 milliseconds = 0;
};

// Hands every write waiting in the copy's outbox to the club database, oldest first, each
// in one transaction with its ledger key, so that it lands there exactly once however often
// this runs and wherever it is interrupted. Stops at the first write the club database
// refuses for another reason (the connection lost again): that one and the rest wait.
// Conflicts go to `log` and the ledger.
store::Result<ReplayFigures> replayOutbox(const store::ClubConnection& club,
                                          const store::ClubConnection& copy, store::ErrorLog& log,
                                          const QDateTime& now);

} // namespace orvalen::contingency
