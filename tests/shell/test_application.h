#pragma once

#include "shell/guarded_application.h"

namespace orvalen::test {

// The one application object of a test process that shows windows (offscreen platform):
// the application's own, so that its handling of escaped errors is what the tests see.
inline void ensureApplication() {
    if (QCoreApplication::instance() == nullptr) {
        static int argc = 1;
        static char name[] = "shell_tests";
        static char* argv[] = {name, nullptr};
        new shell::GuardedApplication(argc, argv);
    }
}

} // namespace orvalen::test
