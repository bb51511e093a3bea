#pragma once

#include "hardware/gui_handover.h"
#include "hardware/receive_queue.h"

#include <functional>
#include <memory>
#include <thread>

namespace orvalen::hardware {

// The event thread of an open event-driven port: it sleeps until bytes arrive or the device
// goes away, moves the new bytes into the receive queue and hands the event to the GUI
// thread, waiting until the handler is done. Only new arrivals make events.
class CommEventThread {
public:
    enum class Signal { Received, Lost };
    using OnSignal = std::function<void(Signal)>;

    // Nothing when the system cannot watch the device.
    static std::unique_ptr<CommEventThread>
    start(int fd, ReceiveQueue& queue, std::shared_ptr<HandOver> handOver, OnSignal onSignal);

    // Stops the thread and waits for it; nothing is handed over after this.
    ~CommEventThread();

    CommEventThread(const CommEventThread&) = delete;
    CommEventThread& operator=(const CommEventThread&) = delete;

private:
    CommEventThread(int fd, int wake, ReceiveQueue& queue, std::shared_ptr<HandOver> handOver,
                    OnSignal onSignal);
    void run();

    int fd_;
    int wake_;
    ReceiveQueue& queue_;
    std::shared_ptr<HandOver> handOver_;
    OnSignal onSignal_;
    std::thread thread_;
};

} // namespace orvalen::hardware
