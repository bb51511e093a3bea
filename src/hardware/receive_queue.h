#pragma once

#include "hardware/serial_device.h"

#include <QByteArray>
#include <atomic>
#include <mutex>

namespace orvalen::hardware {

// The receive queue of the event-driven port: what the event thread has taken from the
// driver and not yet been read, in front of what the driver still holds. The event thread
// takes bytes off the driver to learn that new ones came; bytes a handler leaves unread
// stay here and raise no new event. Every access holds one lock, so bytes keep their order.
class ReceiveQueue {
public:
    struct Fill {
        int added = 0;
        bool lost = false;
    };

    explicit ReceiveQueue(SerialDevice& device) : device_(device) {}

    // Beyond this many bytes, further ones are dropped, as a full driver queue does.
    void setLimit(int bytes) { limit_ = bytes; }
    // Null bytes are discarded as they come.
    void setNullStrip(bool on) { nullStrip_ = on; }

    // Event thread: moves what the driver holds into the queue.
    Fill fill();

    // GUI thread.
    SerialDevice::Transfer read(char* buffer, int count);
    int waiting() const;
    void clear();

private:
    int strip(char* bytes, int count) const;

    SerialDevice& device_;
    mutable std::mutex mutex_;
    QByteArray bytes_;
    std::atomic<int> limit_{4096};
    std::atomic<bool> nullStrip_{false};
};

} // namespace orvalen::hardware
