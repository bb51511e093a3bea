#include "terminal/services/com_port_rts.h"

namespace orvalen::terminal {

ComPortRts::ComPortRts(const store::LocalSettings& local)
    : port_([local](const QString& port) { return local.deviceForPort(port); }) {}

void ComPortRts::open(const QString& portName) {
    port_.Port = portName;
    port_.Open(); // EComError "TCOMPORT : cannot open ..." when the port cannot be used
}

} // namespace orvalen::terminal
