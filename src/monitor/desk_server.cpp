#include "monitor/desk_server.h"

#include "monitor/http_reply.h"

#include <QHttpServerResponder>

namespace orvalen::monitor {

namespace {

const QByteArray kCookie = QByteArrayLiteral("orvalen_desk");
const QByteArray kTokenHeader = QByteArrayLiteral("X-Orvalen-Token");
const QString kPage = QStringLiteral(":/monitor/page/");

using Method = QHttpServerRequest::Method;

struct OpenFile {
    const char* path;
    const char* resource;
    const char* type;
};

// What the login page needs before anyone has logged in.
const OpenFile kOpenFiles[] = {
    {"/login", "login.html", "text/html; charset=utf-8"},
    {"/static/login.js", "login.js", "text/javascript; charset=utf-8"},
    {"/static/desk.css", "desk.css", "text/css; charset=utf-8"},
};

// The rest of the page, for a session only.
const OpenFile kSessionFiles[] = {
    {"/", "index.html", "text/html; charset=utf-8"},
    {"/static/desk.js", "desk.js", "text/javascript; charset=utf-8"},
    {"/static/chart.js", "chart.js", "text/javascript; charset=utf-8"},
    {"/static/placeholder.svg", "placeholder.svg", "image/svg+xml"},
};

const OpenFile* fileAt(const auto& files, const QString& path) {
    for (const OpenFile& file : files) {
        if (path == QLatin1String(file.path))
            return &file;
    }
    return nullptr;
}

QHttpServerResponse fileReply(const OpenFile& file) {
    return resourceReply(kPage + QLatin1String(file.resource), QByteArray(file.type));
}

} // namespace

DeskServer::DeskServer(const desk::OpenClub& club, QTextStream& log, Now now,
                       QStringList allowedHosts)
    : club_(club), log_(log), now_(now), allowedHosts_(std::move(allowedHosts)), sessions_(now),
      guard_(now) {}

bool DeskServer::handleRequest(const QHttpServerRequest& request, QTcpSocket* socket) {
    QHttpServerResponse response = answer(request);
    addSafetyHeaders(response);
    response.write(makeResponder(request, socket));
    return true;
}

void DeskServer::missingHandler(const QHttpServerRequest& request, QTcpSocket* socket) {
    QHttpServerResponse response = errorReply(Status::NotFound, QStringLiteral("Não encontrado"));
    addSafetyHeaders(response);
    response.write(makeResponder(request, socket));
}

QHttpServerResponse DeskServer::answer(const QHttpServerRequest& request) {
    const QString path = request.url().path();
    const QString host = QString::fromLatin1(headerValue(request, QByteArrayLiteral("Host")));
    if (!allowedHosts_.isEmpty() && !allowedHosts_.contains(host, Qt::CaseInsensitive))
        return errorReply(Status::Forbidden, QStringLiteral("Endereço não atendido: ") + host);
    if (const OpenFile* file = fileAt(kOpenFiles, path))
        return request.method() == Method::Get ? fileReply(*file)
                                               : errorReply(Status::MethodNotAllowed, path);
    if (path == QLatin1String("/api/login"))
        return request.method() == Method::Post ? login(request)
                                                : errorReply(Status::MethodNotAllowed, path);
    const QByteArray id = cookieValue(request, kCookie);
    Session* session = id.isEmpty() ? nullptr : sessions_.find(id);
    if (session == nullptr) {
        if (path == QLatin1String("/") && request.method() == Method::Get)
            return redirectReply(QByteArrayLiteral("/login"));
        return errorReply(Status::Unauthorized, QStringLiteral("Entre com o seu código e senha"));
    }
    return sessionAnswer(request, path, id, *session);
}

QHttpServerResponse DeskServer::sessionAnswer(const QHttpServerRequest& request,
                                              const QString& path, const QByteArray& id,
                                              Session& session) {
    if (request.method() == Method::Post) {
        // A page of another site cannot read the token, so it cannot make these calls.
        if (headerValue(request, kTokenHeader) != session.token)
            return errorReply(Status::Forbidden, QStringLiteral("Sessão sem o seu código"));
        if (path == QLatin1String("/api/logout"))
            return logout(id);
        if (path == QLatin1String("/api/release"))
            return release(session);
        return errorReply(Status::NotFound, path);
    }
    if (request.method() != Method::Get)
        return errorReply(Status::MethodNotAllowed, path);
    if (const OpenFile* file = fileAt(kSessionFiles, path))
        return fileReply(*file);
    if (path == QLatin1String("/api/session"))
        return sessionInfo(session);
    if (path == QLatin1String("/api/feed"))
        return feed(request);
    if (path == QLatin1String("/api/explain"))
        return explain(request);
    if (path == QLatin1String("/api/members"))
        return members(request);
    if (path == QLatin1String("/api/member"))
        return member(request);
    if (path == QLatin1String("/photo"))
        return photo(request, session);
    return errorReply(Status::NotFound, path);
}

QHttpServerResponse DeskServer::databaseError(const QString& message) const {
    note(QStringLiteral("banco de dados do clube: ") + message);
    return errorReply(Status::ServiceUnavailable,
                      QStringLiteral("Banco de dados do clube: ") + message);
}

void DeskServer::note(const QString& line) const {
    log_ << now_().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")) << ' ' << line << '\n';
    log_.flush();
}

} // namespace orvalen::monitor
