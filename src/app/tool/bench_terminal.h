#pragma once

#include "app/tool/bench_figures.h"
#include "store/result.h"

#include <QDateTime>
#include <QString>

namespace orvalen::tool {

struct TerminalBenchOptions {
    QString folder;         // the data-link folder
    int count = 10000;      // identifications
    int nameSearches = 200; // names searched, a key at a time
    // People whose decision is also timed the way the system was first designed (the
    // whole active-member table read again); spread over the run.
    int baselineSamples = 200;
    quint32 seed = 20261210;
    QDateTime start; // the terminal's clock when every person arrives
};

// Starts the terminal screen on the club database as the window does, then has people
// identify at the keyboard and searches names, timing each step through the real screen
// logic; every decision writes its access-log rows to the database.
store::Status measureTerminal(const TerminalBenchOptions& options, BenchFigures& figures);

} // namespace orvalen::tool
