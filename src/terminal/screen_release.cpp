#include "terminal/terminal_screen.h"

namespace orvalen::terminal {

void TerminalScreen::LIBERA_ROLETA() {
    if (services_.observer != nullptr) {
        services_.observer->releaseRequested();
    }
    services_.pump.processEvents();
    const QString kind = sacvar_.text(QStringLiteral("TIPO_ROLETA"));
    if (sacvar_.is(QStringLiteral("ROLETA"), QStringLiteral("NADA"))) {
        wait(accessTime());
    } else if (kind == QLatin1String("R") || kind == QLatin1String("A")) {
        services_.devices.turnstile.pulse(accessPulse());
    }
    services_.pump.processEvents();
}

} // namespace orvalen::terminal
