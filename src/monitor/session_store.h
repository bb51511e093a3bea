#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <functional>
#include <map>

namespace orvalen::monitor {

// An operator logged in at the desk page.
struct Session {
    QString operatorCode;
    QString operatorName;
    QByteArray token; // sent back with every request that changes something
    QDateTime lastSeen;
    std::map<QString, QByteArray> photos; // scaled pictures already sent, by person
};

// The open sessions, by the random id the cookie carries. A session unused for a working
// day ends by itself.
class SessionStore {
public:
    using Now = std::function<QDateTime()>;
    explicit SessionStore(Now now) : now_(std::move(now)) {}

    // A new session; its id goes in the cookie.
    QByteArray open(const QString& operatorCode, const QString& operatorName);
    // The session of the id, nothing for an unknown or expired one.
    Session* find(const QByteArray& id);
    void close(const QByteArray& id);

private:
    Now now_;
    std::map<QByteArray, Session> sessions_;
};

// A fresh random value, hex encoded, from the system's generator.
QByteArray randomHex(int bytes);

} // namespace orvalen::monitor
