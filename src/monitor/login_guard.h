#pragma once

#include <QDateTime>
#include <QString>
#include <functional>
#include <map>

namespace orvalen::monitor {

// Slows down guessing an operator's password: after each wrong try the code must wait
// before the next (1 s, 2 s, 4 s, 8 s), and after five wrong tries in a row it is locked
// for five minutes. A right password clears the count.
class LoginGuard {
public:
    using Now = std::function<QDateTime()>;
    static constexpr int kLockAfter = 5;
    static constexpr int kLockSeconds = 300;
    static constexpr std::size_t kRemembered = 10000;

    explicit LoginGuard(Now now) : now_(std::move(now)) {}

    // Seconds the code must still wait before it may try; 0 when it may now.
    qint64 secondsToWait(const QString& code) const;
    void failed(const QString& code);
    void succeeded(const QString& code);

private:
    struct Tries {
        int failures = 0;
        QDateTime nextAllowed;
    };
    static QString key(const QString& code);

    Now now_;
    std::map<QString, Tries> tries_;
};

} // namespace orvalen::monitor
