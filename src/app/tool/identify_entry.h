#pragma once

#include "terminal/terminal_screen.h"

#include <QString>
#include <optional>

namespace orvalen::tool {

// Why a text typed for `orvalen identify` identifies nobody, and the exit status that says so.
struct UnidentifiedEntry {
    int status;
    QString reason;
};

// Types the text as at the terminal, all but Enter. Nothing when Enter will decide on it; else
// why it would not: the terminal opened no keyboard entry, the entry kept none of the text,
// or, for a name, no member's name begins with it. The window's Enter takes whichever row
// its list's cursor is on; the tool, given a name and no cursor, needs the name to match.
std::optional<UnidentifiedEntry> typeForIdentification(terminal::TerminalScreen& screen,
                                                       const QString& text, bool nameMode);

} // namespace orvalen::tool
