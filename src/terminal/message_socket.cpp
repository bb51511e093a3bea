#include "terminal/message_socket.h"

#include <QLocalSocket>
#include <QStandardPaths>
#include <sys/socket.h>
#include <unistd.h>

namespace orvalen::terminal {

QString terminalSocketName() {
    // In the user's own runtime folder (mode 0700), where no other local user can bind the
    // name first and receive the desk's messages; never in the shared temporary folder.
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty()) {
        return {};
    }
    return folder + QStringLiteral("/orvalen-terminal");
}

TerminalMessageServer::TerminalMessageServer(Handler handler, QObject* parent)
    : QObject(parent), handler_(std::move(handler)) {
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    connect(&server_, &QLocalServer::newConnection, this, &TerminalMessageServer::accept);
}

store::Status TerminalMessageServer::listen(const QString& name) {
    if (name.isEmpty()) {
        return store::Error{QStringLiteral(
            "cannot listen for the release message: this user has no private runtime folder "
            "(XDG_RUNTIME_DIR)")};
    }
    QLocalServer::removeServer(name); // a socket file left by a terminal that did not end cleanly
    if (!server_.listen(name)) {
        return store::Error{QStringLiteral("cannot listen on the local socket %1: %2")
                                .arg(name, server_.errorString())};
    }
    return store::Status::success();
}

namespace {

// The longest message line read; a sender that goes past it without ending its line is
// cut off rather than let fill the terminal's memory.
constexpr qint64 kLongestLine = 256;

// Whether the peer runs as this terminal's own user. The socket file's mode already keeps
// others out; this holds even when that mode has been widened.
bool fromOwnUser(const QLocalSocket& socket) {
    ucred peer{};
    socklen_t size = sizeof(peer);
    if (getsockopt(static_cast<int>(socket.socketDescriptor()), SOL_SOCKET, SO_PEERCRED, &peer,
                   &size) != 0) {
        return false;
    }
    return peer.uid == getuid();
}

} // namespace

void TerminalMessageServer::accept() {
    while (QLocalSocket* socket = server_.nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        if (!fromOwnUser(*socket)) {
            socket->abort();
            socket->deleteLater();
            continue;
        }
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (!socket->canReadLine() && socket->bytesAvailable() > kLongestLine) {
                socket->abort();
                return;
            }
            while (socket->canReadLine()) {
                const QByteArray bytes = socket->readLine(kLongestLine + 1);
                if (!bytes.endsWith('\n')) {
                    socket->abort(); // a line longer than any message
                    return;
                }
                const QString line = QString::fromUtf8(bytes).trimmed();
                const QStringList words = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
                if (!words.isEmpty()) {
                    handler_(words);
                }
            }
        });
    }
}

store::Status sendTerminalMessage(const QString& line, const QString& name) {
    QLocalSocket socket;
    socket.connectToServer(name);
    if (!socket.waitForConnected(2000)) {
        return store::Error{
            QStringLiteral("no terminal is listening on %1: %2").arg(name, socket.errorString())};
    }
    socket.write(line.toUtf8() + '\n');
    if (!socket.waitForBytesWritten(2000)) {
        return store::Error{
            QStringLiteral("the message did not reach the terminal: %1").arg(socket.errorString())};
    }
    socket.disconnectFromServer();
    return store::Status::success();
}

std::optional<int> releaseMessageParameter(const QStringList& words) {
    if (words.size() != 2 || words[0].compare(QLatin1String("0x400"), Qt::CaseInsensitive) != 0) {
        return std::nullopt;
    }
    bool ok = false;
    const int parameter = words[1].toInt(&ok, 0);
    return ok ? std::optional<int>(parameter) : std::nullopt;
}

} // namespace orvalen::terminal
