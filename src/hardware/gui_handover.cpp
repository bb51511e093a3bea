#include "hardware/gui_handover.h"

#include <QScopeGuard>
#include <exception>

namespace orvalen::hardware {

void OneEventAtATime::deliver(std::function<void()> event) {
    if (running_) {
        waiting_.push_back(std::move(event));
        return;
    }
    running_ = true;
    // A handler's error must not stop the line: the waiting events still run, and the
    // first error goes on to the caller (the application's exception log) afterwards.
    std::exception_ptr failure;
    const auto run = [&failure](const std::function<void()>& handler) {
        try {
            handler();
        } catch (...) {
            if (!failure) {
                failure = std::current_exception();
            }
        }
    };
    run(event);
    while (!waiting_.empty()) {
        std::function<void()> next = std::move(waiting_.front());
        waiting_.pop_front();
        run(next);
    }
    running_ = false;
    if (failure) {
        std::rethrow_exception(failure);
    }
}

bool HandOver::run(std::function<void()> event) {
    std::unique_lock lock(mutex_);
    if (cancelled_) {
        return false;
    }
    const unsigned long ticket = delivered_ + 1;
    lock.unlock();

    // Once the port has closed, the posted call finds the hand-over cancelled and does nothing;
    // once the port object is gone, Qt drops the call with its context.
    QMetaObject::invokeMethod(
        context_,
        [self = shared_from_this(), event = std::move(event)]() mutable {
            if (self->cancelled()) {
                return;
            }
            self->events_.deliver([self, event = std::move(event)] {
                // The worker goes on waiting for the line even when the handler fails.
                const auto release = qScopeGuard([&self] {
                    std::lock_guard done(self->mutex_);
                    ++self->delivered_;
                    self->changed_.notify_all();
                });
                if (!self->cancelled()) {
                    event();
                }
            });
        },
        Qt::QueuedConnection);

    lock.lock();
    changed_.wait(lock, [&] { return cancelled_ || delivered_ >= ticket; });
    return !cancelled_;
}

void HandOver::cancel() {
    std::lock_guard lock(mutex_);
    cancelled_ = true;
    changed_.notify_all();
}

bool HandOver::cancelled() const {
    std::lock_guard lock(mutex_);
    return cancelled_;
}

} // namespace orvalen::hardware
