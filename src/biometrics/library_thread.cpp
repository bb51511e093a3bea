#include "biometrics/library_thread.h"

#include "biometrics/fprint_include.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QThread>

namespace orvalen::biometrics {

namespace {

// Qt's GLib dispatcher iterates the default context on the main thread, which would take it
// from the library thread (and run the library's events on the GUI thread).
bool qtIteratesDefaultContext() {
    if (QCoreApplication* app = QCoreApplication::instance()) {
        QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance(app->thread());
        return dispatcher != nullptr &&
               QByteArray(dispatcher->metaObject()->className()).contains("Glib");
    }
    return false;
}

} // namespace

bool onGuiThread() {
    QCoreApplication* app = QCoreApplication::instance();
    return app != nullptr && QThread::currentThread() == app->thread();
}

void prepareProcessForFingerprints() {
    qputenv("QT_NO_GLIB", "1");
}

store::Result<std::unique_ptr<LibraryThread>> LibraryThread::start() {
    if (qtIteratesDefaultContext()) {
        return store::Error{QStringLiteral(
            "the fingerprint library needs GLib's default context, but this program's Qt event "
            "loop runs on it: start the program with QT_NO_GLIB=1")};
    }
    std::unique_ptr<LibraryThread> worker(new LibraryThread);
    std::promise<store::Status> started;
    std::future<store::Status> result = started.get_future();
    worker->thread_ = std::thread([&started, raw = worker.get()] { raw->run(started); });
    const store::Status status = result.get();
    if (!status.ok()) {
        worker->thread_.join();
        return status.error();
    }
    return worker;
}

LibraryThread::~LibraryThread() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    g_main_context_wakeup(nullptr);
    if (thread_.joinable()) {
        thread_.join();
    }
}

void LibraryThread::post(std::function<void()> task) {
    {
        std::lock_guard lock(mutex_);
        tasks_.push_back(std::move(task));
    }
    g_main_context_wakeup(nullptr);
}

void LibraryThread::run(std::promise<store::Status>& started) {
    if (!g_main_context_acquire(nullptr)) {
        started.set_value(store::Error{QStringLiteral(
            "GLib's default main context is already owned by another thread of this program")});
        return;
    }
    started.set_value(store::Status::success());
    for (;;) {
        std::function<void()> task;
        {
            std::lock_guard lock(mutex_);
            if (!tasks_.empty()) {
                task = std::move(tasks_.front());
                tasks_.pop_front();
            } else if (stopping_) {
                break;
            }
        }
        if (task) {
            task();
        } else {
            // Sleeps until the library has an event or post() wakes the context.
            g_main_context_iteration(nullptr, TRUE);
        }
    }
    g_main_context_release(nullptr);
}

} // namespace orvalen::biometrics
