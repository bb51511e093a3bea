// orvalen-terminal: the terminal screen on a club, full-screen.
#include "app/terminal/file_error_log.h"
#include "shell/aviso_box.h"
#include "store/datalink.h"
#include "store/local_settings.h"
#include "terminal/log_writer.h"
#include "terminal/message_socket.h"
#include "terminal/terminal_screen.h"
#include "terminal/window/terminal_window.h"
#include "terminal/window/window_pump.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QScreen>
#include <QTextStream>

using namespace orvalen;

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QTextStream err(stderr);
    const QString folder = store::dataLinkFolder(application.arguments());
    auto local = store::LocalSettings::load(folder);
    if (!local.ok()) {
        err << "orvalen-terminal: " << local.error().message << '\n';
        return 1;
    }
    const QString logPath =
        local->exceptionLogPath.isEmpty()
            ? QFileInfo(application.applicationFilePath()).absolutePath() + QStringLiteral("/") +
                  QFileInfo(application.applicationFilePath()).completeBaseName() +
                  QStringLiteral(".log")
            : local->exceptionLogPath;
    app::FileErrorLog errorLog(logPath);
    auto spec = store::connectionSpecFromFile(
        QDir(folder).filePath(QLatin1String(store::kMainDataLink)), local.value());
    if (!spec.ok()) {
        err << "orvalen-terminal: " << spec.error().message << '\n';
        return 1;
    }
    store::ClubConnection connection(spec.value(), QStringLiteral("orvalen-main"));
    if (const store::Status opened = connection.open(); !opened.ok()) {
        err << "orvalen-terminal: " << opened.error().message << '\n';
        return 1;
    }

    terminal::SystemClock clock;
    terminal::WindowPump pump;
    shell::AvisoBox aviso;
    terminal::DatabaseLogWriter writer(connection);
    terminal::NoReaderLine readerLine;
    terminal::NoFingerprintReader fingerprint;
    terminal::NoTurnstileOutput turnstile;
    terminal::TerminalUnit unit;
    terminal::TerminalScreen screen(terminal::ScreenServices{
        connection, clock, pump, aviso, errorLog, writer,
        terminal::Devices{readerLine, fingerprint, turnstile}, unit, local.value(), nullptr});
    terminal::TerminalWindow window(screen);
    aviso.setParent(&window);
    pump.setRender([&window] { window.render(); });

    terminal::TerminalMessageServer messages([&](const QStringList& words) {
        if (const auto parameter = terminal::releaseMessageParameter(words)) {
            screen.externalMessage(*parameter);
            window.render();
        }
    });
    if (const store::Status listening = messages.listen(); !listening.ok()) {
        errorLog.record(listening.error().message);
    }

    window.resize(application.primaryScreen()->size());
    window.showFullScreen();
    window.start();
    return application.exec();
}
