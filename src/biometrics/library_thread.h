#pragma once

#include "store/result.h"

#include <QEventLoop>
#include <condition_variable>
#include <deque>
#include <functional>
#include <future>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <type_traits>

namespace orvalen::biometrics {

// True on the thread of the QCoreApplication, when there is one.
bool onGuiThread();

// The answer of a call to the library thread. wait() keeps a GUI thread painting (input held
// back) until the answer is there; on any other thread it simply blocks.
template <class T> class Pending {
public:
    struct State {
        std::mutex mutex;
        std::condition_variable ready;
        std::optional<T> value;
        QEventLoop* loop = nullptr;

        void set(T v) {
            std::lock_guard lock(mutex);
            value = std::move(v);
            ready.notify_all();
            if (loop != nullptr) {
                QEventLoop* target = loop;
                QMetaObject::invokeMethod(
                    target, [target] { target->quit(); }, Qt::QueuedConnection);
            }
        }
    };

    explicit Pending(std::shared_ptr<State> state) : state_(std::move(state)) {}

    T wait() {
        std::unique_lock lock(state_->mutex);
        if (!state_->value && onGuiThread()) {
            QEventLoop loop;
            state_->loop = &loop;
            lock.unlock();
            loop.exec(QEventLoop::ExcludeUserInputEvents);
            lock.lock();
            state_->loop = nullptr;
        }
        state_->ready.wait(lock, [this] { return state_->value.has_value(); });
        return std::move(*state_->value);
    }

private:
    std::shared_ptr<State> state_;
};

// The one thread that runs libfprint. The library's synchronous calls and its devices' events
// run on GLib's global default main context, which this thread owns for its whole life: no
// other thread may iterate it. A Qt application must therefore not use the GLib event
// dispatcher on its main thread (see prepareProcessForFingerprints()).
class LibraryThread {
public:
    // Starts the thread; it fails when the default context belongs to someone else.
    static store::Result<std::unique_ptr<LibraryThread>> start();
    ~LibraryThread();
    LibraryThread(const LibraryThread&) = delete;
    LibraryThread& operator=(const LibraryThread&) = delete;

    // Queues a task; tasks run one at a time, in the order they were queued, and between them
    // the thread serves the library's own events.
    void post(std::function<void()> task);

    // Runs a task on the thread; its result comes back through the Pending.
    template <class F> auto call(F task) -> Pending<std::invoke_result_t<F>> {
        using T = std::invoke_result_t<F>;
        auto state = std::make_shared<typename Pending<T>::State>();
        post([state, task = std::move(task)]() mutable { state->set(task()); });
        return Pending<T>(state);
    }

private:
    LibraryThread() = default;
    void run(std::promise<store::Status>& started);

    std::mutex mutex_;
    std::deque<std::function<void()>> tasks_;
    bool stopping_ = false;
    std::thread thread_;
};

// Call in main() before the QApplication is made: the application's threads then use Qt's own
// event dispatcher and leave GLib's default context to the library thread.
void prepareProcessForFingerprints();

} // namespace orvalen::biometrics
