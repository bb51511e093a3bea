#include "monitor/visitor_release.h"

#include "terminal/message_socket.h"

#include <QLocalSocket>

namespace orvalen::monitor {

bool terminalOnThisPc() {
    QLocalSocket socket;
    socket.connectToServer(terminal::terminalSocketName());
    const bool listening = socket.waitForConnected(200);
    socket.abort();
    return listening;
}

store::Status releaseForVisitor() {
    // Any parameter but 0 (which pauses the fingerprint reader) lets a visitor in.
    return terminal::sendTerminalMessage(QStringLiteral("0x400 1"));
}

} // namespace orvalen::monitor
