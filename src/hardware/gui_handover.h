#pragma once

#include <QObject>
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>

namespace orvalen::hardware {

// Runs a port's events on its owner's (GUI) thread strictly one after the other. A handler
// that lets pending events run (a nested event loop) does not get a second event inside
// it: that one waits until the running handler has returned.
class OneEventAtATime {
public:
    void deliver(std::function<void()> event);
    // Forgets the events still waiting; used when the port closes.
    void clear() { waiting_.clear(); }

private:
    bool running_ = false;
    std::deque<std::function<void()>> waiting_;
};

// A worker thread's way to the GUI thread: it hands an event over and is blocked until the
// event has run there, so the next wait for the line starts only after the handler is done.
// Cancelling (on close) releases a blocked worker and makes every pending hand-over deliver
// nothing. Shared, because the worker may still be on its way out when the port is gone.
class HandOver : public std::enable_shared_from_this<HandOver> {
public:
    HandOver(QObject* context, OneEventAtATime& events) : context_(context), events_(events) {}

    // Worker thread. False when cancelled before the event ran.
    bool run(std::function<void()> event);

    // GUI thread.
    void cancel();
    bool cancelled() const;

private:
    QObject* context_;
    OneEventAtATime& events_;
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    bool cancelled_ = false;
    unsigned long delivered_ = 0;
};

} // namespace orvalen::hardware
