#pragma once

#include "load/ledger.h"
#include "store/result.h"

#include <QString>
#include <QStringList>

namespace orvalen::load {

// Files a prepared club folder holds beside the demo club.
inline constexpr auto kNumbersFile = "load-numbers.txt";   // what the terminals type
inline constexpr auto kReleasesFile = "load-releases.txt"; // partner-pass releases at start

struct LoadClubOptions {
    int members = 400;
    int dailyLimit = 0; // Sacvar2.QTD_ACESSO; 0 leaves the partner-pass rule in force
};

// The demo club in the folder, made ready for several terminals: empty access logs, the
// daily limit, no access-point filter, the numbers to type (every student, employee and the
// visitor code) and the partner-pass releases it starts with.
store::Status prepareLoadClub(const QString& folder, const LoadClubOptions& options);

// The numbers a prepared folder gives to type.
store::Result<QStringList> loadNumbers(const QString& folder);

// What the checks found: one line per fault; none when the database holds exactly the rows
// the terminals reported and the daily limit and the partner-pass releases held.
struct CheckReport {
    QStringList faults;
    long rowsInDatabase = 0;
    long rowsReported = 0;
    long grants = 0; // AcessoDia rows with STATUS L
};

// Compares the access logs with the terminals' ledgers and checks the two rules that
// limit grants.
store::Result<CheckReport> checkLoadClub(const QString& folder, const RowCounts& reported);

} // namespace orvalen::load
