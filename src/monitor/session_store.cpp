#include "monitor/session_store.h"

#include <QRandomGenerator>

namespace orvalen::monitor {

namespace {

constexpr qint64 kIdleSeconds = 12 * 3600;

} // namespace

QByteArray randomHex(int bytes) {
    QByteArray raw(bytes, Qt::Uninitialized);
    QRandomGenerator* generator = QRandomGenerator::system();
    for (char& byte : raw)
        byte = static_cast<char>(generator->bounded(256));
    return raw.toHex();
}

QByteArray SessionStore::open(const QString& operatorCode, const QString& operatorName) {
    const QDateTime now = now_();
    std::erase_if(sessions_, [&](const auto& entry) {
        return entry.second.lastSeen.secsTo(now) > kIdleSeconds;
    });
    QByteArray id = randomHex(32);
    sessions_[id] = Session{operatorCode, operatorName, randomHex(32), now, {}};
    return id;
}

Session* SessionStore::find(const QByteArray& id) {
    const auto found = sessions_.find(id);
    if (found == sessions_.end())
        return nullptr;
    const QDateTime now = now_();
    if (found->second.lastSeen.secsTo(now) > kIdleSeconds) {
        sessions_.erase(found);
        return nullptr;
    }
    found->second.lastSeen = now;
    return &found->second;
}

void SessionStore::close(const QByteArray& id) {
    sessions_.erase(id);
}

} // namespace orvalen::monitor
