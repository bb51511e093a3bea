#pragma once

#include "contingency/copy_file.h"
#include "store/local_settings.h"

#include <QDateTime>
#include <memory>

namespace orvalen::contingency {

// The copy the terminal decides from while the club database is away.
struct CopyInUse {
    std::unique_ptr<store::ClubConnection> connection;
    CopyInfo info;
};

// The configured copy, open, when contingency is on and the copy is younger than
// max_age_hours at `now`; otherwise why not (the caller then behaves as without one).
store::Result<CopyInUse> openYoungCopy(const store::ContingencySettings& settings,
                                       const QDateTime& now, const QString& connectionName);

// What the terminal window says while it decides from the copy.
QString awayStripText(const QDateTime& takenAt);

} // namespace orvalen::contingency
