#pragma once

#include "demo_club/demo_fingerprints.h"
#include "store/result.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <optional>

namespace orvalen::demo {

struct DemoClubOptions {
    int members = 400;      // active students of the head office
    int branchMembers = 40; // active students of the second branch
    QDateTime now;          // its date becomes the business date
    quint32 seed = 20260611;
    // A reader line and a relay on this machine (demo_devices.h), or none; unset: an
    // existing club keeps what it has, a new one has none.
    std::optional<bool> devices;
    // Sample fingers enrolled to paid-up members, the terminal identifying by finger alone on
    // a virtual reader in the folder (demo_fingerprints.h); none: no fingerprint reader.
    QList<DemoFinger> fingers;
};

struct DemoClubSummary {
    bool created = false; // false: an existing club was kept and its cash period reopened
    int members = 0;      // active students of the head office
    QDate businessDate;
};

// Creates the demo club in the folder: the data links Orvalen.udl and OrvalenFilial.udl,
// terminal.ini, the head office's club.db, the branch's filial2.db and the member catalogue.
// On a folder that already holds a club, keeps its data and opens the cash period of the
// business date.
store::Result<DemoClubSummary> createDemoClub(const QString& folder,
                                              const DemoClubOptions& options);

} // namespace orvalen::demo
