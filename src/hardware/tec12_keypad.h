#pragma once

#include "hardware/serial_device.h"

#include <QString>
#include <functional>
#include <map>
#include <memory>

namespace orvalen::hardware {

// The command library of the USB Tec12 keypad. The keypad listens on the reader line's own
// serial port and is switched by one command byte: 15 switches it on, 14 off. The reader
// line must be closed while a command is sent, since both use the same port.
//
// Call it on the GUI thread: Open_Comm, send_data_rs, Close_Comm, in that order.
class Tec12Keypad {
public:
    // Turns the port number (3 for COM3) into the device to open.
    using DeviceForPortNumber = std::function<QString(int port)>;

    explicit Tec12Keypad(DeviceForPortNumber deviceForPort);
    ~Tec12Keypad();

    Tec12Keypad(const Tec12Keypad&) = delete;
    Tec12Keypad& operator=(const Tec12Keypad&) = delete;

    // Opens the port with that baud rate and data bits (5 to 8), one stop bit, no parity,
    // no flow control. The last three arguments are unused by the keypad and kept for the
    // callers' sake. False when the port cannot be opened or takes no such settings.
    bool Open_Comm(int port, int baudRate, int dataBits, int, int, int);
    // Sends the command byte; nothing when the port is not open.
    void send_data_rs(int port, int value);
    void Close_Comm(int port);

private:
    DeviceForPortNumber deviceForPort_;
    std::map<int, std::unique_ptr<SerialDevice>> open_;
};

} // namespace orvalen::hardware
