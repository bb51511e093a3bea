#pragma once

#include "hardware/com_port.h"
#include "store/local_settings.h"
#include "terminal/services/device_turnstile_outputs.h"

namespace orvalen::terminal {

// ComPort1: the turnstile's serial port with its design-time line (9600 baud, 8 data bits,
// no parity, one stop bit, "#13#10"). The port name comes from Sacvar.ROLETA and maps to
// its device through terminal.ini.
class ComPortRts : public RtsPort {
public:
    explicit ComPortRts(const store::LocalSettings& local);

    void open(const QString& portName) override;
    void setRts(bool on) override { port_.SetRTS(on); }
    void close() override { port_.Close(); }

private:
    hardware::TComPort port_;
};

} // namespace orvalen::terminal
