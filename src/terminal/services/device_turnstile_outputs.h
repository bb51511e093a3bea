#pragma once

#include "hardware/converter_driver.h"
#include "hardware/parallel_port.h"
#include "hardware/wifi_relay.h"
#include "store/local_settings.h"
#include "terminal/rules/turnstile_choice.h"
#include "terminal/services/pump.h"
#include "terminal/services/turnstile_outputs.h"

#include <QString>
#include <cstdint>
#include <memory>
#include <optional>
#include <stdexcept>

namespace orvalen::terminal {

// The serial port whose RTS line drives the turnstile (ComPort1), opened for each pulse.
class RtsPort {
public:
    virtual ~RtsPort() = default;
    // Opens the port named as Sacvar.ROLETA names it ("COM1"), with DTR and RTS cleared.
    // Throws std::exception when the port cannot be opened.
    virtual void open(const QString& portName) = 0;
    virtual void setRts(bool on) = 0;
    virtual void close() = 0;
};

// A turnstile device that cannot be used: the message names the setting, the device and
// what to do. Like any error of an identification it ends in the exception log.
class TurnstileDeviceError : public std::runtime_error {
public:
    explicit TurnstileDeviceError(const QString& message)
        : std::runtime_error(message.toStdString()) {}
};

// The turnstile's real outputs: the USB-to-parallel converter, the parallel port, the
// Wi-Fi relay and the RTS line of a serial port. Waits go through the screen's pump; the
// relay's requests take their own network time.
class DeviceTurnstileOutputs : public TurnstileOutputs {
public:
    // Without a converter driver: the kernel's, or a simulated converter when terminal.ini
    // says `[devices] converter=simulated`. Without port calls: the system's.
    DeviceTurnstileOutputs(store::LocalSettings local, Pump& pump, RtsPort& rts,
                           std::unique_ptr<hardware::ConverterDriver> converter = {},
                           std::unique_ptr<hardware::PortSystemCalls> portCalls = {});
    ~DeviceTurnstileOutputs() override;

    // The start-up step for a parallel-type turnstile (ROLETA not "NADA", TIPO_ROLETA "R"):
    // opens, probes and clears the converter, clears the parallel port, or switches the
    // relay off. Other settings touch nothing.
    OutputPreparation prepare(const TurnstileSettings& settings) override;
    PulseReport pulse(const TurnstileTarget& target, int pulseMilliseconds) override;
    // Closes the converter and gives the parallel ports back (the screen closes).
    void release() override;
    void clearParallelPort(const QString& address) override { writeParallel(address, 0); }
    void showInformationWith(ShowInformation show) override { showInformation_ = std::move(show); }

private:
    OutputPreparation prepareConverter(const QString& roleta);
    PulseReport converterPulse(int pulseMilliseconds);
    std::optional<PulseReport> converterAbsent();
    PulseReport parallelPulse(const QString& address, int pulseMilliseconds);
    void writeParallel(const QString& address, std::uint8_t value);
    PulseReport relayPulse(const QString& address, int pulseMilliseconds);
    void rtsPulse(const QString& portName, int pulseMilliseconds);
    hardware::WifiRelay& relay();

    store::LocalSettings local_;
    Pump& pump_;
    RtsPort& rts_;
    std::unique_ptr<hardware::ConverterDriver> converter_;
    std::unique_ptr<hardware::PortSystemCalls> portCalls_;
    hardware::ParallelPort parallel_;
    std::unique_ptr<hardware::WifiRelay> relay_; // made on first use
    hardware::ConverterHandle converterHandle_ = hardware::kInvalidConverterHandle;
    std::uint8_t converterByte_ = 0; // the output register's image; it survives between pulses
    QString parallelProblemReported_;
    ShowInformation showInformation_;
};

} // namespace orvalen::terminal
