#pragma once

#include "desk/club_database.h"
#include "monitor/login_guard.h"
#include "monitor/session_store.h"

#include <QAbstractHttpServer>
#include <QHttpServerResponse>
#include <QTextStream>
#include <functional>

namespace orvalen::monitor {

// The desk page's HTTP side. Only the login page, its script and style, and the login call
// are open; every other page, picture and data call needs the session cookie, and the calls
// that change something also the session's token. Every value goes out as JSON data for
// the page to set as text.
class DeskServer : public QAbstractHttpServer {
public:
    using Now = std::function<QDateTime()>;

    // allowedHosts: the Host headers the page answers ("127.0.0.1:8470"); a page of another
    // site whose name was made to point here (DNS rebinding) sends its own. Empty: any.
    DeskServer(const desk::OpenClub& club, QTextStream& log, Now now, QStringList allowedHosts);

protected:
    bool handleRequest(const QHttpServerRequest& request, QTcpSocket* socket) override;
    void missingHandler(const QHttpServerRequest& request, QTcpSocket* socket) override;

private:
    QHttpServerResponse answer(const QHttpServerRequest& request);
    QHttpServerResponse openAnswer(const QHttpServerRequest& request, const QString& path);
    QHttpServerResponse sessionAnswer(const QHttpServerRequest& request, const QString& path,
                                      const QByteArray& id, Session& session);

    QHttpServerResponse login(const QHttpServerRequest& request);
    QHttpServerResponse logout(const QByteArray& id);
    QHttpServerResponse sessionInfo(const Session& session) const;
    QHttpServerResponse feed(const QHttpServerRequest& request) const;
    QHttpServerResponse explain(const QHttpServerRequest& request) const;
    QHttpServerResponse members(const QHttpServerRequest& request) const;
    QHttpServerResponse member(const QHttpServerRequest& request) const;
    QHttpServerResponse photo(const QHttpServerRequest& request, Session& session) const;
    QHttpServerResponse release(const Session& session);

    void note(const QString& line) const;
    // The club database could not answer: said in the log and to the page, never shown as
    // an empty list.
    QHttpServerResponse databaseError(const QString& message) const;

    const desk::OpenClub& club_;
    QTextStream& log_;
    Now now_;
    QStringList allowedHosts_;
    SessionStore sessions_;
    LoginGuard guard_;
};

} // namespace orvalen::monitor
