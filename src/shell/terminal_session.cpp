#include "shell/terminal_session.h"

#include "shell/aviso_box.h"
#include "shell/away_strip.h"
#include "shell/fingerprint_parts.h"
#include "terminal/log_writer.h"
#include "terminal/message_socket.h"
#include "terminal/services/clock.h"
#include "terminal/services/com_port_rts.h"
#include "terminal/services/device_turnstile_outputs.h"
#include "terminal/services/devices.h"
#include "terminal/services/serial_reader_line.h"
#include "terminal/terminal_screen.h"
#include "terminal/window/terminal_window.h"
#include "terminal/window/window_pump.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <memory>

namespace orvalen::shell {

namespace {

// What the screen needs beside the main window's connection and the shared values.
class TerminalSession : public QObject {
public:
    explicit TerminalSession(const ShellContext& context)
        : clubWriter(context.connection), readerLine(context.local, context.log),
          fingerprint(context, aviso, pump), rts(context.local), outputs(context.local, pump, rts),
          screen(terminal::ScreenServices{
              context.connection, clock, pump, aviso, context.log,
              context.away != nullptr ? context.away->writer() : clubWriter,
              terminal::Devices{readerLine, fingerprint.reader()}, context.unit, context.local,
              nullptr, fingerprint.captureScreen(), &outputs, context.away}),
          messages([this](const QStringList& words) {
              // The message waits in the screen's gate: it never runs inside this socket's
              // handler, which the identification's waits could otherwise delete.
              if (const auto parameter = terminal::releaseMessageParameter(words)) {
                  screen.externalMessage(*parameter);
              }
          }) {}

    terminal::SystemClock clock;
    terminal::WindowPump pump;
    AvisoBox aviso; // its boxes stand over the full-screen window, not behind it
    terminal::DatabaseLogWriter clubWriter; // unless the away switch chooses

    terminal::SerialReaderLine readerLine;
    FingerprintParts fingerprint;
    terminal::ComPortRts rts;
    terminal::DeviceTurnstileOutputs outputs;
    terminal::TerminalScreen screen;
    terminal::TerminalMessageServer messages;
};

} // namespace

QWidget* openTerminalScreen(const ShellContext& context, QWidget* mainWindow) {
    auto session = std::make_unique<TerminalSession>(context);
    auto* window = new terminal::TerminalWindow(session->screen, mainWindow);
    window->setWindowFlag(Qt::Window);
    window->setAttribute(Qt::WA_DeleteOnClose);
    session->aviso.setParent(window);
    session->pump.setRender([window] { window->render(); });
    session->fingerprint.attach(session->screen, window);
    if (const store::Status listening = session->messages.listen(); !listening.ok()) {
        context.log.record(listening.error().message);
    }
    session.release()->setParent(window); // freed with the window, after it
    if (context.away != nullptr) {
        showAwayStrip(window, *context.away);
    }
    window->resize(QGuiApplication::primaryScreen()->size());
    window->showFullScreen();
    window->start();
    // Once the window is on screen it takes the keyboard from the main window behind it.
    QTimer::singleShot(0, window, [window] {
        window->raise();
        window->activateWindow();
    });
    return window;
}

} // namespace orvalen::shell
