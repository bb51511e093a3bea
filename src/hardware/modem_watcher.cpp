#include "hardware/modem_watcher.h"

#include <chrono>

namespace orvalen::hardware {

std::unique_ptr<ModemWatcher> ModemWatcher::start(ModemLines& lines, int fd, QObject* context,
                                                  OneEventAtATime& events, Changed changed) {
    const std::optional<ModemStatus> initial = lines.status(fd);
    if (!initial) {
        return nullptr;
    }
    auto handOver = std::make_shared<HandOver>(context, events);
    return std::unique_ptr<ModemWatcher>(
        new ModemWatcher(lines, fd, *initial, std::move(handOver), std::move(changed)));
}

ModemWatcher::ModemWatcher(ModemLines& lines, int fd, ModemStatus initial,
                           std::shared_ptr<HandOver> handOver, Changed changed)
    : lines_(lines), fd_(fd), last_(initial), handOver_(std::move(handOver)),
      changed_(std::move(changed)) {
    thread_ = std::thread([this] { watch(); });
}

ModemWatcher::~ModemWatcher() {
    stopping_ = true;
    handOver_->cancel();
    // The signal may reach the thread just before it enters the wait; repeat it until the
    // thread has seen the stop.
    while (!finished_) {
        lines_.interruptWait(thread_.native_handle());
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    thread_.join();
}

void ModemWatcher::watch() {
    while (!stopping_) {
        const ModemLines::Wait wait = lines_.waitForChange(fd_);
        if (wait == ModemLines::Wait::Interrupted) {
            continue; // the loop condition tells a stop from a stray signal
        }
        if (wait == ModemLines::Wait::Failed) {
            break; // a device that can no longer wait would make every further wait fail at once
        }
        const std::optional<ModemStatus> now = lines_.status(fd_);
        if (!now || stopping_) {
            break;
        }
        const ModemChange change{now->cts != last_.cts, now->dsr != last_.dsr,
                                 now->ring != last_.ring, now->rlsd != last_.rlsd, *now};
        last_ = *now;
        // The handler may close the port, which ends this object: the event holds its own copy.
        if (!handOver_->run([changed = changed_, change] { changed(change); })) {
            break;
        }
    }
    finished_ = true;
}

} // namespace orvalen::hardware
