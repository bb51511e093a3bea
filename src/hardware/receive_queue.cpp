#include "hardware/receive_queue.h"

#include <algorithm>

namespace orvalen::hardware {

int ReceiveQueue::strip(char* bytes, int count) const {
    if (!nullStrip_) {
        return count;
    }
    return static_cast<int>(std::remove(bytes, bytes + count, '\0') - bytes);
}

ReceiveQueue::Fill ReceiveQueue::fill() {
    std::lock_guard lock(mutex_);
    char chunk[512];
    const SerialDevice::Transfer read = device_.read(chunk, sizeof chunk);
    if (read.outcome != SerialDevice::Outcome::Done) {
        return {0, true}; // a line that fails now would fail again at once
    }
    const int kept = strip(chunk, read.count);
    const int room = std::max(0, limit_ - static_cast<int>(bytes_.size()));
    const int added = std::min(kept, room);
    bytes_.append(chunk, added);
    return {added, false};
}

SerialDevice::Transfer ReceiveQueue::read(char* buffer, int count) {
    std::lock_guard lock(mutex_);
    const int queued = std::min(count, static_cast<int>(bytes_.size()));
    std::copy_n(bytes_.constData(), queued, buffer);
    bytes_.remove(0, queued);
    if (queued == count) {
        return {SerialDevice::Outcome::Done, queued};
    }
    const SerialDevice::Transfer more = device_.read(buffer + queued, count - queued);
    if (more.outcome == SerialDevice::Outcome::Lost && queued == 0) {
        return more;
    }
    return {SerialDevice::Outcome::Done, queued + strip(buffer + queued, more.count)};
}

int ReceiveQueue::waiting() const {
    std::lock_guard lock(mutex_);
    return static_cast<int>(bytes_.size()) + device_.inQueue().value_or(0);
}

void ReceiveQueue::clear() {
    std::lock_guard lock(mutex_);
    bytes_.clear();
    device_.purge(true, false);
}

} // namespace orvalen::hardware
