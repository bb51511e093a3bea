#include "monitor/login_guard.h"

#include <algorithm>

namespace orvalen::monitor {

// "ab" and "AB " are the same operator to whoever guesses, whatever the lookup says.
QString LoginGuard::key(const QString& code) {
    return code.trimmed().toUpper();
}

qint64 LoginGuard::secondsToWait(const QString& code) const {
    const auto found = tries_.find(key(code));
    if (found == tries_.end() || !found->second.nextAllowed.isValid())
        return 0;
    const qint64 left = now_().msecsTo(found->second.nextAllowed);
    return left <= 0 ? 0 : (left + 999) / 1000;
}

void LoginGuard::failed(const QString& code) {
    // Guessed codes that are no longer waiting are forgotten, so that a flood of them does
    // not grow the list without end; a locked code stays until its lock is over.
    if (tries_.size() >= kRemembered) {
        const QDateTime now = now_();
        std::erase_if(tries_, [&](const auto& entry) { return entry.second.nextAllowed <= now; });
    }
    Tries& tries = tries_[key(code)];
    ++tries.failures;
    const qint64 wait =
        tries.failures >= kLockAfter ? kLockSeconds : qint64{1} << std::min(tries.failures - 1, 3);
    tries.nextAllowed = now_().addSecs(wait);
}

void LoginGuard::succeeded(const QString& code) {
    tries_.erase(key(code));
}

} // namespace orvalen::monitor
