#pragma once

#include "contingency/away_switch.h"
#include "support/decision_harness.h"

#include <QTemporaryDir>
#include <memory>

namespace orvalen::test {

inline const QString kPaid = QStringLiteral("0000000001");

// A harness club with one paid member, a fresh copy of it in a folder of its own, and the
// switch between them.
struct SwitchingClub {
    explicit SwitchingClub(Route route = Route::Direct);
    // The club database unreachable from now on: a fresh connection finds no file.
    void takeAway() const;
    void bringBack() const;
    int waiting() const;

    DecisionHarness h;
    QTemporaryDir copyFolder;
    store::ContingencySettings settings;
    std::unique_ptr<contingency::AwaySwitch> away;
};

} // namespace orvalen::test
