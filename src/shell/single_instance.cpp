#include "shell/single_instance.h"

#include <QDir>
#include <QLocalSocket>
#include <QStandardPaths>
#include <unistd.h>

namespace orvalen::shell {

namespace {

constexpr auto kRaise = "raise\n";
constexpr int kWaitMs = 2000;

QString defaultFolder() {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty()) {
        folder = QDir::tempPath();
    }
    return folder;
}

} // namespace

SingleInstance::SingleInstance(QString executableFileName, QString folder)
    : name_(std::move(executableFileName)),
      folder_(folder.isEmpty() ? defaultFolder() : std::move(folder)) {
    connect(&server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = server_.nextPendingConnection()) {
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
                if (socket->readAll().contains("raise") && raise_) {
                    raise_();
                }
                socket->disconnectFromServer();
            });
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        }
    });
}

SingleInstance::~SingleInstance() {
    server_.close();
}

// The user id keeps two users of one PC apart even in a shared temporary folder.
QString SingleInstance::lockPath() const {
    return QDir(folder_).filePath(QStringLiteral("%1-%2.lock").arg(name_).arg(getuid()));
}

QString SingleInstance::socketPath() const {
    return QDir(folder_).filePath(QStringLiteral("%1-%2.socket").arg(name_).arg(getuid()));
}

bool SingleInstance::claim() {
    QDir().mkpath(folder_);
    lock_ = std::make_unique<QLockFile>(lockPath());
    // A lock left by a copy that crashed is taken over (its process no longer exists).
    if (lock_->tryLock(0)) {
        listen();
        return true;
    }
    lock_.reset();
    askFirstCopyToRaise();
    return false;
}

void SingleInstance::listen() {
    // The lock is ours, so a socket file still there belongs to a copy that is gone.
    QLocalServer::removeServer(socketPath());
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    server_.listen(socketPath());
}

bool SingleInstance::askFirstCopyToRaise() const {
    QLocalSocket socket;
    socket.connectToServer(socketPath());
    if (!socket.waitForConnected(kWaitMs)) {
        return false;
    }
    socket.write(kRaise);
    const bool sent = socket.waitForBytesWritten(kWaitMs);
    socket.disconnectFromServer();
    return sent;
}

} // namespace orvalen::shell
