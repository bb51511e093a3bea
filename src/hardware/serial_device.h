#pragma once

#include "hardware/comm_types.h"

#include <QString>
#include <optional>

namespace orvalen::hardware {

// The line parameters written to the driver, as the event-driven port builds them.
struct LineSettings {
    int baudRate = 9600;
    comm::TDatabits dataBits = comm::TDatabits::da8;
    comm::TStopbits stopBits = comm::TStopbits::sb10;
    comm::TParity parity = comm::TParity::paNone;
    comm::TCommEventChars chars;
    comm::TFlowControl flow = comm::TFlowControl::fcDefault;
    comm::TCommOptions options;
};

// One open serial device: a tty file descriptor in raw, non-blocking mode. Reads return at
// once with what the driver holds; nothing is buffered on our side, so the driver's queue
// is the port's receive queue.
class SerialDevice {
public:
    enum class Outcome { Done, TimedOut, Lost };
    struct Transfer {
        Outcome outcome = Outcome::Done;
        int count = 0;
    };

    SerialDevice() = default;
    ~SerialDevice() { close(); }
    SerialDevice(const SerialDevice&) = delete;
    SerialDevice& operator=(const SerialDevice&) = delete;

    // Opens an existing character device for reading and writing, not shared with other
    // programs. On failure the device stays closed and error (when given) says why.
    bool open(const QString& path, QString* error = nullptr);
    void close();
    bool isOpen() const { return fd_ >= 0; }
    int fd() const { return fd_; }

    // Writes the line parameters over the driver's current ones; false when the driver
    // refuses them or they have no meaning on this system, and then nothing changes.
    bool configure(const LineSettings& settings);

    // Bytes in the receive / transmit queue, or nothing when the driver cannot tell.
    std::optional<int> inQueue() const;
    std::optional<int> outQueue() const;

    // Up to count of the bytes waiting, at once. Lost: the device hung up or failed.
    Transfer read(char* buffer, int count);
    // All count bytes within the time-out, else TimedOut (what was not yet taken by the
    // driver is not sent).
    Transfer write(const char* buffer, int count, int timeoutMs);

    void purge(bool input, bool output);
    // Output as if XON (true) or XOFF (false) had been received.
    void setOutputFlow(bool on);

private:
    int fd_ = -1;
};

} // namespace orvalen::hardware
