#pragma once

namespace orvalen::shell {

// Gives the process a private runtime folder when the session has none (a root shell, a
// service, CI), so Qt finds one silently for the local sockets and locks.
void ensureRuntimeFolder();

} // namespace orvalen::shell
