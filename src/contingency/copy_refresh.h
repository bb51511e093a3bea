#pragma once

#include "store/connection.h"
#include "store/local_settings.h"
#include "store/result.h"

#include <QDateTime>
#include <functional>
#include <mutex>

namespace orvalen::contingency {

struct RefreshFigures {
    qint64 rows = 0;
    qint64 bytes = 0;
    qint64 milliseconds = 0;
    int carried = 0; // outbox rows still waiting, taken over from the previous copy
};

// Who else uses the copy file: the replacement waits for `lock`, and gives up when
// `mayReplace` says no (the terminal is deciding from the old copy and writing its outbox).
struct ReplaceGate {
    std::mutex* lock = nullptr;
    std::function<bool()> mayReplace;
};

// Takes a new copy of what the decisions read from the club database `club` (its own
// connection: the caller's thread) at `now`. The copy is built in a new file beside the
// old one and renamed over it only when complete, so a refresh that fails or is killed
// leaves the previous copy as it was. Rows still waiting in the previous copy's outbox go
// into the new one with their keys.
store::Result<RefreshFigures> refreshCopy(const store::ClubConnection& club,
                                          const store::ContingencySettings& settings,
                                          const QDateTime& now, const ReplaceGate& gate = {});

} // namespace orvalen::contingency
