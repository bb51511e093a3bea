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
    // Never destroyed: the program ends with it, after every test's widgets and connections.
    new QApplication(argc, argv);
}

} // namespace orvalen::test
