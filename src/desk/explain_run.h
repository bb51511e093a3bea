#pragma once

#include "desk/club_database.h"
#include "desk/explain_recorder.h"
#include "terminal/terminal_screen.h"

#include <QDateTime>
#include <functional>
#include <optional>

namespace orvalen::desk {

// One identification to explain: what was typed, at which moment, and on which business
// date (the terminal's own when none is given).
struct ExplainRequest {
    QString number;
    QDateTime at;
    std::optional<QDate> businessDate;
    // Runs on the opened screen before the number is typed (the unit chosen at the desk);
    // false stops the explanation.
    std::function<bool(terminal::TerminalScreen&)> beforeTyping;
};

struct ExplainRun {
    Explanation explanation;
    bool opened = false;  // the screen opened; when not, `explanation` holds why
    bool stopped = false; // beforeTyping said no
    bool closed = false;  // the screen asked to close after the identification
};

// The terminal's decision on a dry run: the screen opens on the club as it is now, the
// number is typed and Enter pressed; nothing is written or pulsed.
ExplainRun explainIdentification(const OpenClub& club, const ExplainRequest& request);

} // namespace orvalen::desk
