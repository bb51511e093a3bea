#pragma once

#include "hardware/gui_handover.h"
#include "hardware/modem_lines.h"

#include <atomic>
#include <functional>
#include <memory>
#include <thread>

namespace orvalen::hardware {

// Which modem lines changed in one wait, and the lines after the change.
struct ModemChange {
    bool cts = false;
    bool dsr = false;
    bool ring = false;
    bool rlsd = false;
    ModemStatus now;
};

// A thread that waits for CTS, DSR, RING and carrier changes of an open port and hands each
// change to the GUI thread. It runs only on devices that have modem lines.
class ModemWatcher {
public:
    using Changed = std::function<void(const ModemChange&)>;

    // Nothing when the device has no modem lines (a pseudo-terminal, for example).
    static std::unique_ptr<ModemWatcher> start(ModemLines& lines, int fd, QObject* context,
                                               OneEventAtATime& events, Changed changed);

    // Stops the thread and waits for it; no change is delivered after this.
    ~ModemWatcher();

    ModemWatcher(const ModemWatcher&) = delete;
    ModemWatcher& operator=(const ModemWatcher&) = delete;

private:
    ModemWatcher(ModemLines& lines, int fd, ModemStatus initial, std::shared_ptr<HandOver> handOver,
                 Changed changed);
    void watch();

    ModemLines& lines_;
    int fd_;
    ModemStatus last_;
    std::shared_ptr<HandOver> handOver_;
    Changed changed_;
    std::atomic<bool> stopping_{false};
    std::atomic<bool> finished_{false};
    std::thread thread_;
};

} // namespace orvalen::hardware
