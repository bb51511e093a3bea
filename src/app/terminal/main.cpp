#include "shell/application.h"

int main(int argc, char* argv[]) {
    orvalen::shell::GuardedApplication app(argc, argv);
    return orvalen::shell::runApplication(app, {});
}
