#include "shell/guarded_application.h"

#include <exception>

namespace orvalen::shell {

bool runLogged(store::ErrorLog* log, const std::function<void()>& work) {
    QString message;
    try {
        work();
        return true;
    } catch (const std::exception& error) {
        message = QString::fromLocal8Bit(error.what());
    } catch (...) {
        message = QStringLiteral("Erro desconhecido");
    }
    if (log != nullptr) {
        log->record(message);
    }
    return false;
}

bool GuardedApplication::notify(QObject* receiver, QEvent* event) {
    bool handled = false;
    runLogged(log_, [&] { handled = QApplication::notify(receiver, event); });
    return handled;
}

} // namespace orvalen::shell
