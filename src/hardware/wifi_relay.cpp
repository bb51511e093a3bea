#include "hardware/wifi_relay.h"

#include <QEventLoop>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <memory>

namespace orvalen::hardware {

WifiRelay::WifiRelay() {
    // The relay is on the club's own network: a proxy set for the machine must not carry
    // the turnstile's requests elsewhere.
    manager_.setProxy(QNetworkProxy::NoProxy);
}

QString WifiRelay::requestUrl(const QString& address, RelaySwitch which) {
    return QStringLiteral("http://") + address +
           (which == RelaySwitch::On ? QStringLiteral("/?acao=gpio0On")
                                     : QStringLiteral("/?acao=gpio0Off"));
}

RelayResult WifiRelay::send(const QString& address, RelaySwitch which) {
    const QString text = requestUrl(address, which);
    const QUrl url(text, QUrl::StrictMode);
    if (!url.isValid() || url.host().isEmpty()) {
        return {RelayOutcome::Failed, QStringLiteral("not a relay address: %1").arg(text)};
    }
    QNetworkRequest request(url);
    request.setRawHeader("Accept", "application/json, text/plain; q=0.9, text/html;q=0.8,");
    request.setRawHeader("Accept-Charset", "UTF-8, *;q=0.8");
    request.setTransferTimeout(kTimeoutMilliseconds);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::NoLessSafeRedirectPolicy);
    // Small relays speak plain HTTP/1.1 only.
    request.setAttribute(QNetworkRequest::Http2AllowedAttribute, false);

    bool sent = false; // outlives the reply, which may still signal while it goes
    const std::unique_ptr<QNetworkReply> reply(manager_.get(request));
    QObject::connect(reply.get(), &QNetworkReply::requestSent, reply.get(),
                     [&sent] { sent = true; });
    if (!reply->isFinished()) {
        QEventLoop loop;
        QObject::connect(reply.get(), &QNetworkReply::finished, &loop, &QEventLoop::quit);
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
    const bool answered = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).isValid();
    const QNetworkReply::NetworkError error = reply->error();
    if (error == QNetworkReply::NoError) {
        return {};
    }
    // Nothing but the transfer time-out aborts a request, so a cancellation is the time-out.
    const bool timeOut =
        error == QNetworkReply::TimeoutError || error == QNetworkReply::OperationCanceledError;
    if (!timeOut) {
        return answered ? RelayResult{} // an HTTP error status is still the relay's answer
                        : RelayResult{RelayOutcome::Failed, reply->errorString()};
    }
    // Only a request that never left is the relay being out of reach; one that left and
    // got no whole answer back is a failure while receiving.
    return {sent || answered ? RelayOutcome::ReceiveFailed : RelayOutcome::TimedOut,
            reply->errorString()};
}

} // namespace orvalen::hardware
