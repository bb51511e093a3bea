#include "terminal/rules/turnstile_choice.h"

namespace orvalen::terminal::rules {

TurnstileChoice chooseTurnstileOutput(const TurnstileSettings& settings) {
    if (settings.roleta == QStringLiteral("NADA"))
        return HoldOnly{};
    TurnstileTarget target;
    target.device = settings.roleta;
    if (settings.tipoRoleta == QStringLiteral("R")) {
        if (settings.usbLpt == QStringLiteral("Sim")) {
            target.kind = TurnstileOutputKind::Converter;
        } else if (!settings.enderecoLpt.isEmpty()) {
            target.kind = TurnstileOutputKind::ParallelPort;
            target.portAddress = settings.enderecoLpt;
        } else {
            target.kind = TurnstileOutputKind::WifiRelay;
            target.relayAddress = settings.wireless;
        }
        return target;
    }
    if (settings.tipoRoleta == QStringLiteral("A")) {
        target.kind = TurnstileOutputKind::SerialRts;
        return target;
    }
    return NoOutput{};
}

} // namespace orvalen::terminal::rules
