#pragma once

#include <QApplication>

namespace orvalen::test {

// The one application object of a test process that shows windows (offscreen platform).
inline void ensureApplication() {
    if (QCoreApplication::instance() == nullptr) {
        static int argc = 1;
        static char name[] = "shell_tests";
        static char* argv[] = {name, nullptr};
        new QApplication(argc, argv);
    }
}

} // namespace orvalen::test
