#pragma once

#include <QNetworkAccessManager>
#include <QString>
#include <QUrl>

namespace orvalen::hardware {

enum class RelaySwitch { On, Off };

// How one relay request ended. The answer itself, status and body, is never examined:
// an HTTP error status is still an answer.
enum class RelayOutcome {
    Answered,
    TimedOut,      // the request could not be sent within the time-out: the relay is off or
                   // unreachable
    ReceiveFailed, // the request went out but its answer did not come within the time-out
    Failed         // any other failure: refused, no such host, a malformed address
};

struct RelayResult {
    RelayOutcome outcome = RelayOutcome::Answered;
    QString error; // the network layer's words when it did not answer
};

// The turnstile relay on the club's Wi-Fi, switched by one GET each way. Requests are
// synchronous: the caller waits for the answer or the time-out, with the window painted
// and user input held back meanwhile.
class WifiRelay {
public:
    static constexpr int kTimeoutMilliseconds = 1000;

    WifiRelay();

    // "http://" + address + "/?acao=gpio0On" (or gpio0Off), exactly as the relay expects.
    static QString requestUrl(const QString& address, RelaySwitch which);
    RelayResult send(const QString& address, RelaySwitch which);

private:
    QNetworkAccessManager manager_;
};

} // namespace orvalen::hardware
