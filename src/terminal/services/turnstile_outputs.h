#pragma once

#include <QString>
#include <functional>
#include <optional>

namespace orvalen::terminal {

// The settings that choose the turnstile's output.
struct TurnstileSettings {
    QString roleta;      // Sacvar.ROLETA
    QString tipoRoleta;  // Sacvar.TIPO_ROLETA
    QString usbLpt;      // Sacvar2.USB_LPT
    QString enderecoLpt; // Sacvar2.ENDERECO_LPT
    QString wireless;    // Sacvar2.CatracaWireless
};

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
// not answer), or a message box after which the screen closes (a converter that does not),
// and a device problem for the exception log (the release goes on).
struct PulseReport {
    QString information;
    std::optional<QString> avisoText;
    QString avisoDetail;
    QString deviceProblem;
};

// What the start-up's turnstile output preparation leaves for the screen.
struct OutputPreparation {
    std::optional<QString> avisoText; // a message box of kind "!"
    QString avisoDetail;
    bool closeScreen = false; // post a close request and stop the start-up
    QString deviceProblem;    // for the exception log; the start-up goes on
};

// The concrete outputs; each gives one pulse of the given length on the chosen target.
// Outputs that hold a device open prepare it when the screen starts and give it back when
// the screen closes.
class TurnstileOutputs {
public:
    virtual ~TurnstileOutputs() = default;
    virtual PulseReport pulse(const TurnstileTarget& target, int pulseMilliseconds) = 0;
    virtual OutputPreparation prepare(const TurnstileSettings&) { return {}; }
    virtual void release() {}
    // Writes 0 to the parallel port at the address (Sacvar2.ENDERECO_LPT digits), as the
    // screen's exit does. Throws when the port cannot be used.
    virtual void clearParallelPort(const QString&) {}
    // Where a text for the information panel goes the moment it arises in a pulse (a relay
    // that does not answer), so staff see it while the pulse goes on.
    using ShowInformation = std::function<void(const QString& text)>;
    virtual void showInformationWith(ShowInformation) {}
};

} // namespace orvalen::terminal
