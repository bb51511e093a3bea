#include "support/application.h"

#include <QApplication>

namespace orvalen::test {

void ensureApplication() {
    if (QCoreApplication::instance() != nullptr) {
        return;
    }
    static int argc = 1;
    static char name[] = "orvalen-tests";
    static char* argv[] = {name, nullptr};
    static QApplication application(argc, argv);
}

} // namespace orvalen::test
