#pragma once

#include "store/error_log.h"

#include <QApplication>
#include <functional>

namespace orvalen::shell {

// The application object: an error that escapes an event handler goes to the exception log
// instead of ending the program or showing a dialog; the handler that raised it stops there.
class GuardedApplication : public QApplication {
public:
    GuardedApplication(int& argc, char** argv) : QApplication(argc, argv) {}

    void setErrorLog(store::ErrorLog* log) { log_ = log; }
    bool notify(QObject* receiver, QEvent* event) override;

private:
    store::ErrorLog* log_ = nullptr;
};

// Runs a piece of work, sending an error nobody handled to the log; false when it failed.
bool runLogged(store::ErrorLog* log, const std::function<void()>& work);

} // namespace orvalen::shell
