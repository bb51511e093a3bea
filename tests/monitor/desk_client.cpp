#include "desk_client.h"

#include "support/application.h"
#include "support/tool_process.h"

#include <QEventLoop>
#include <QFile>
#include <QJsonDocument>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <gtest/gtest.h>

namespace orvalen::test {

namespace {

quint16 freePort() {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

} // namespace

QByteArray DeskReply::header(const QByteArray& name) const {
    for (const auto& [key, value] : headers) {
        if (key.compare(name, Qt::CaseInsensitive) == 0)
            return value;
    }
    return {};
}

QJsonObject DeskReply::json() const {
    return QJsonDocument::fromJson(body).object();
}

DeskUnderTest::DeskUnderTest() {
    ensureApplication();
    QFile::setPermissions(runtime_.path(),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QProcess demo;
    demo.start(toolExecutable(), {QStringLiteral("demo"), QStringLiteral("create"), club_.path()});
    const FinishedProcess made = runToEnd(demo, 120000);
    EXPECT_EQ(made.exitCode, 0) << made.err.toStdString();
    start(club_.path());
}

DeskUnderTest::~DeskUnderTest() {
    if (monitor_) {
        monitor_->terminate();
        monitor_->waitForFinished(5000);
    }
}

void DeskUnderTest::start(const QString& folder) {
    port_ = freePort();
    monitor_ = std::make_unique<QProcess>();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime_.path());
    monitor_->setProcessEnvironment(environment);
    monitor_->setProcessChannelMode(QProcess::MergedChannels);
    monitor_->start(toolExecutable(),
                    {QStringLiteral("monitor"), QStringLiteral("--datalink-dir"), folder,
                     QStringLiteral("--listen"), QStringLiteral("127.0.0.1:%1").arg(port_)});
    const QString line =
        waitForLine(*monitor_, QRegularExpression(QStringLiteral("desk page is at")));
    ASSERT_FALSE(line.isEmpty());
}

void DeskUnderTest::restartOn(const QString& folder) {
    monitor_->terminate();
    monitor_->waitForFinished(5000);
    start(folder);
}

QString DeskUnderTest::tool(QStringList arguments) {
    if (arguments.first() != QLatin1String("bench-club")) {
        arguments.insert(1, QStringLiteral("--datalink-dir"));
        arguments.insert(2, club_.path());
    }
    QProcess process;
    process.start(toolExecutable(), arguments);
    const FinishedProcess ran = runToEnd(process, 120000);
    EXPECT_EQ(ran.exitCode, 0) << ran.err.toStdString();
    return ran.out;
}

QString DeskUnderTest::monitorLog() {
    log_ += QString::fromUtf8(monitor_->readAll());
    return log_;
}

DeskReply DeskUnderTest::send(const QByteArray& method, const QString& pathAndQuery,
                              const QByteArray& body, const QByteArray& cookie,
                              const QByteArray& token) {
    QNetworkAccessManager network;
    QNetworkRequest request(QUrl(url() + pathAndQuery));
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::ManualRedirectPolicy);
    request.setHeader(QNetworkRequest::ContentTypeHeader, QByteArrayLiteral("application/json"));
    if (!cookie.isEmpty())
        request.setRawHeader(QByteArrayLiteral("Cookie"), cookie);
    if (!token.isEmpty())
        request.setRawHeader(QByteArrayLiteral("X-Orvalen-Token"), token);
    QNetworkReply* reply = network.sendCustomRequest(request, method, body);
    QEventLoop loop;
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    QTimer::singleShot(30000, &loop, &QEventLoop::quit);
    loop.exec();
    DeskReply answer;
    answer.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    answer.headers = reply->rawHeaderPairs();
    answer.body = reply->readAll();
    reply->deleteLater();
    return answer;
}

DeskReply DeskUnderTest::get(const QString& pathAndQuery, const QByteArray& cookie) {
    return send(QByteArrayLiteral("GET"), pathAndQuery, {}, cookie, {});
}

DeskReply DeskUnderTest::post(const QString& path, const QByteArray& body, const QByteArray& cookie,
                              const QByteArray& token) {
    return send(QByteArrayLiteral("POST"), path, body, cookie, token);
}

int DeskUnderTest::rawStatus(const QByteArray& request) {
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, port_);
    if (!socket.waitForConnected(5000))
        return 0;
    socket.write(request);
    QByteArray answer;
    while (!answer.contains("\r\n") && socket.waitForReadyRead(5000))
        answer += socket.readAll();
    // "HTTP/1.1 403 Forbidden"
    return answer.split(' ').value(1).toInt();
}

QByteArray DeskUnderTest::login(const QString& code, const QString& password) {
    const DeskReply reply = post(QStringLiteral("/api/login"),
                                 QJsonDocument(QJsonObject{{QStringLiteral("code"), code},
                                                           {QStringLiteral("password"), password}})
                                     .toJson());
    const QByteArray cookie = reply.header(QByteArrayLiteral("Set-Cookie"));
    return reply.status == 200 ? cookie.left(cookie.indexOf(';')) : QByteArray();
}

} // namespace orvalen::test
