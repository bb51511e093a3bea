#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QPair>
#include <QString>
#include <QTcpServer>
#include <functional>

namespace orvalen::hardware {

// One request as the relay received it.
struct RelayRequest {
    QDateTime at;
    QByteArray line; // "GET /?acao=gpio0On HTTP/1.1"
    QList<QPair<QByteArray, QByteArray>> headers;

    // The value of a header (names compared without case), empty when absent.
    QByteArray header(const QByteArray& name) const;
};

// A Wi-Fi relay stand-in on this machine's loopback interface: it answers every request
// with 200, or, told not to answer, keeps the connection open and stays silent like a relay
// behind a router that has lost it. It never listens beyond loopback.
class SimulatedRelay {
public:
    SimulatedRelay();

    // Listens on a loopback address; port 0 picks a free one. Empty on success, otherwise
    // why not.
    QString listen(const QString& address, quint16 port);
    quint16 port() const { return server_.serverPort(); }
    // "127.0.0.1:PORT", as the relay's address setting holds it.
    QString address() const;

    void setAnswering(bool answering) { answering_ = answering; }
    // Called for each request as it arrives.
    void setOnRequest(std::function<void(const RelayRequest&)> onRequest) {
        onRequest_ = std::move(onRequest);
    }
    const QList<RelayRequest>& requests() const { return requests_; }

private:
    void accept();

    QTcpServer server_;
    bool answering_ = true;
    std::function<void(const RelayRequest&)> onRequest_;
    QList<RelayRequest> requests_;
};

} // namespace orvalen::hardware
