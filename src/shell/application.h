#pragma once

#include "shell/guarded_application.h"
#include "shell/shell_context.h"

#include <QStringList>

namespace orvalen::shell {

struct StartOptions {
    int splashMs = 4000;
};

// The whole start of the terminal application: one copy per user, the exception log, the
// splash, the main window connected to the club, the operator login and the event loop.
// Returns the process exit code.
int runApplication(GuardedApplication& app, const TerminalFactory& terminalFactory,
                   const StartOptions& options = {});

} // namespace orvalen::shell
