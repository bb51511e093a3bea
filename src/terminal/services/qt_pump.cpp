#include "terminal/services/pump.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

namespace orvalen::terminal {

void QtPump::processEvents() {
    QCoreApplication::processEvents();
}

void QtPump::wait(int milliseconds) {
    if (milliseconds <= 0) {
        return;
    }
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    // Paints and timers go on; keys and clicks stay queued for after the wait.
    loop.exec(QEventLoop::ExcludeUserInputEvents);
}

void QtPump::post(std::function<void()> work) {
    QMetaObject::invokeMethod(QCoreApplication::instance(), std::move(work), Qt::QueuedConnection);
}

} // namespace orvalen::terminal
