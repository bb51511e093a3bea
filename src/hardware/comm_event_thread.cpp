#include "hardware/comm_event_thread.h"

#include <cerrno>
#include <cstdint>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

namespace orvalen::hardware {

std::unique_ptr<CommEventThread> CommEventThread::start(int fd, ReceiveQueue& queue,
                                                        std::shared_ptr<HandOver> handOver,
                                                        OnSignal onSignal) {
    const int wake = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (wake < 0) {
        return nullptr;
    }
    return std::unique_ptr<CommEventThread>(
        new CommEventThread(fd, wake, queue, std::move(handOver), std::move(onSignal)));
}

CommEventThread::CommEventThread(int fd, int wake, ReceiveQueue& queue,
                                 std::shared_ptr<HandOver> handOver, OnSignal onSignal)
    : fd_(fd), wake_(wake), queue_(queue), handOver_(std::move(handOver)),
      onSignal_(std::move(onSignal)) {
    thread_ = std::thread([this] { run(); });
}

CommEventThread::~CommEventThread() {
    handOver_->cancel();
    const std::uint64_t one = 1;
    [[maybe_unused]] const ssize_t written = ::write(wake_, &one, sizeof one);
    thread_.join();
    ::close(wake_);
}

void CommEventThread::run() {
    for (;;) {
        pollfd watched[2] = {{fd_, POLLIN, 0}, {wake_, POLLIN, 0}};
        const int count = ::poll(watched, 2, -1);
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count < 0 || watched[1].revents != 0) {
            return;
        }
        // Whatever is still readable is taken now, so the next poll sleeps until new bytes.
        const ReceiveQueue::Fill fill = queue_.fill();
        // A device that is gone stays "ready" for ever: hand that over once and end.
        const bool lost = fill.lost || (watched[0].revents & (POLLERR | POLLNVAL)) != 0 ||
                          ((watched[0].revents & POLLHUP) != 0 && fill.added == 0);
        if (!lost && fill.added == 0) {
            continue;
        }
        const Signal signal = lost ? Signal::Lost : Signal::Received;
        // The handler may close the port, which ends this object: the event holds its own copy.
        if (!handOver_->run([onSignal = onSignal_, signal] { onSignal(signal); }) || lost) {
            return;
        }
    }
}

} // namespace orvalen::hardware
