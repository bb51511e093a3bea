#include "hardware/simulated_relay.h"

#include <QHostAddress>
#include <QTcpSocket>
#include <memory>
#include <optional>

namespace orvalen::hardware {

namespace {

// The head of one request (request line and headers) once it has fully arrived.
std::optional<RelayRequest> takeRequest(QByteArray& pending) {
    const qsizetype end = pending.indexOf("\r\n\r\n");
    if (end < 0) {
        return std::nullopt;
    }
    const QList<QByteArray> lines = pending.left(end).split('\n');
    pending.remove(0, end + 4);
    RelayRequest request;
    request.at = QDateTime::currentDateTime();
    request.line = lines.value(0).trimmed();
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QByteArray& line = lines.at(i);
        const qsizetype colon = line.indexOf(':');
        if (colon > 0) {
            request.headers.append({line.left(colon).trimmed(), line.mid(colon + 1).trimmed()});
        }
    }
    return request;
}

} // namespace

QByteArray RelayRequest::header(const QByteArray& name) const {
    for (const auto& [key, value] : headers) {
        if (key.compare(name, Qt::CaseInsensitive) == 0) {
            return value;
        }
    }
    return {};
}

SimulatedRelay::SimulatedRelay() {
    QObject::connect(&server_, &QTcpServer::newConnection, &server_, [this] { accept(); });
}

QString SimulatedRelay::listen(const QString& address, quint16 port) {
    const QHostAddress host(address);
    if (host.isNull() || !host.isLoopback()) {
        return QStringLiteral("%1 is not a loopback address: the simulated relay listens only "
                              "on this machine (127.0.0.1 or ::1)")
            .arg(address);
    }
    if (!server_.listen(host, port)) {
        return QStringLiteral("cannot listen on %1 port %2: %3")
            .arg(address)
            .arg(port)
            .arg(server_.errorString());
    }
    return {};
}

QString SimulatedRelay::address() const {
    return server_.serverAddress().toString() + QLatin1Char(':') + QString::number(port());
}

void SimulatedRelay::accept() {
    while (QTcpSocket* socket = server_.nextPendingConnection()) {
        QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        auto pending = std::make_shared<QByteArray>();
        QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket, pending] {
            pending->append(socket->readAll());
            while (const auto request = takeRequest(*pending)) {
                requests_.append(*request);
                if (onRequest_) {
                    onRequest_(*request);
                }
                if (answering_) {
                    socket->write("HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\n"
                                  "Content-Length: 2\r\nConnection: close\r\n\r\nOK");
                    socket->disconnectFromHost();
                    return;
                }
            }
        });
    }
}

} // namespace orvalen::hardware
