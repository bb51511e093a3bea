// orvalen-terminal: the access-control application of the club's turnstile PC.
#include "biometrics/library_thread.h"
#include "shell/application.h"
#include "shell/runtime_folder.h"
#include "shell/terminal_session.h"

int main(int argc, char* argv[]) {
    orvalen::shell::ensureRuntimeFolder();
    // The fingerprint library needs GLib's default context for its own thread.
    orvalen::biometrics::prepareProcessForFingerprints();
    orvalen::shell::GuardedApplication app(argc, argv);
    return orvalen::shell::runApplication(app, &orvalen::shell::openTerminalScreen);
}
