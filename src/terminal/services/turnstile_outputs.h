#pragma once

#include <QString>
#include <optional>

namespace orvalen::terminal {

// The four outputs a turnstile can be wired to.
enum class TurnstileOutputKind { Converter, ParallelPort, WifiRelay, SerialRts };

// Which output pulses and where: the converter's device or the serial port (Sacvar.ROLETA),
// the port address in hexadecimal digits (Sacvar2.ENDERECO_LPT), or the relay's address
// (Sacvar2.CatracaWireless).
struct TurnstileTarget {
    TurnstileOutputKind kind = TurnstileOutputKind::SerialRts;
    QString device;
    QString portAddress;
    QString relayAddress;
};

// What a pulse leaves for the screen: a text for the information panel (a relay that does
// not answer), or a message box after which the screen closes (a converter that does not).
struct PulseReport {
    QString information;
    std::optional<QString> avisoText;
    QString avisoDetail;
};

// The concrete outputs; each gives one pulse of the given length on the chosen target.
class TurnstileOutputs {
public:
    virtual ~TurnstileOutputs() = default;
    virtual PulseReport pulse(const TurnstileTarget& target, int pulseMilliseconds) = 0;
};

} // namespace orvalen::terminal
