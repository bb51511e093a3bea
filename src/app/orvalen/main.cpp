#include "app/tool/tool.h"
#include "biometrics/library_thread.h"
#include "shell/runtime_folder.h"

#include <QGuiApplication>

int main(int argc, char* argv[]) {
    // The demo's pictures are lettered with real fonts, which need a GUI application; the
    // offscreen platform gives one without any display, so the tool runs on a bare server.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    orvalen::shell::ensureRuntimeFolder();
    // The doctor looks for the reader; identify --finger, bench and bench-club run the library.
    orvalen::biometrics::prepareProcessForFingerprints();
    QGuiApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    return orvalen::tool::runTool(app.arguments().mid(1), out, err);
}
