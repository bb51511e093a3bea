#pragma once

#include "load/load_terminal.h"

#include <QString>

namespace orvalen::load {

struct LoadRunOptions {
    QString folder;
    long count = 0;  // identifications to run
    long offset = 0; // where in the numbers this terminal starts
    QString ledger;  // where the rows written go; empty: nowhere
    QString name = QStringLiteral("terminal");
};

// Resident memory along the run, in kilobytes.
struct MemoryFigures {
    long opened = -1;   // the screen open, nothing identified yet
    long warmedUp = -1; // after the first tenth of the identifications (caches filled)
    long end = -1;
};

struct LoadRunResult {
    LoadTally tally;
    MemoryFigures memory;
    double seconds = 0;
    bool screenClosed = false;
    QString error; // the terminal could not start

    bool clean() const {
        return error.isEmpty() && !screenClosed && tally.errors.isEmpty() &&
               tally.anomalies.isEmpty();
    }
};

// One terminal typing `count` numbers of the prepared folder in turn, from `offset` on,
// wrapping round.
LoadRunResult runLoad(const LoadRunOptions& options);

// The result as one JSON object on one line.
QString describe(const LoadRunOptions& options, const LoadRunResult& result);

} // namespace orvalen::load
