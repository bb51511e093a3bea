#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QList>
#include <QPair>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>
#include <memory>

namespace orvalen::test {

// One HTTP answer: status, headers (names lower-cased) and body.
struct DeskReply {
    int status = 0;
    QList<QPair<QByteArray, QByteArray>> headers;
    QByteArray body;

    QByteArray header(const QByteArray& name) const;
    QJsonObject json() const;
};

// A real `orvalen monitor` on a demo club made by `orvalen demo create`, on 127.0.0.1 at a
// free port, and a client that keeps the session cookie it is given.
class DeskUnderTest {
public:
    DeskUnderTest();
    ~DeskUnderTest();

    // Runs the tool to its end, against the demo club unless it makes a club; its output.
    QString tool(QStringList arguments);
    QString clubFolder() const { return club_.path(); }
    QString runtimeFolder() const { return runtime_.path(); }
    QString url() const { return QStringLiteral("http://127.0.0.1:%1").arg(port_); }

    DeskReply get(const QString& pathAndQuery, const QByteArray& cookie = {});
    DeskReply post(const QString& path, const QByteArray& body, const QByteArray& cookie = {},
                   const QByteArray& token = {});
    // Sends the request bytes as they are (own Host and Content-Type headers); the status.
    int rawStatus(const QByteArray& request);
    quint16 port() const { return port_; }
    // Logs in as the operator; the session cookie ("orvalen_desk=...") or empty.
    QByteArray login(const QString& code, const QString& password);
    // What the monitor has written to its log so far.
    QString monitorLog();

    // Starts the monitor on another club folder (the big one of the timing test).
    void restartOn(const QString& folder);

private:
    void start(const QString& folder);
    DeskReply send(const QByteArray& method, const QString& pathAndQuery, const QByteArray& body,
                   const QByteArray& cookie, const QByteArray& token);

    QTemporaryDir club_;
    QTemporaryDir runtime_;
    std::unique_ptr<QProcess> monitor_;
    quint16 port_ = 0;
    QString log_;
};

} // namespace orvalen::test
