#include "monitor/http_reply.h"

#include <QFile>
#include <QJsonDocument>

namespace orvalen::monitor {

QHttpServerResponse jsonReply(const QJsonObject& body, Status status) {
    return QHttpServerResponse(QByteArrayLiteral("application/json; charset=utf-8"),
                               QJsonDocument(body).toJson(QJsonDocument::Compact), status);
}

QHttpServerResponse errorReply(Status status, const QString& message) {
    return jsonReply({{QStringLiteral("error"), message}}, status);
}

QHttpServerResponse resourceReply(const QString& path, const QByteArray& mimeType) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return errorReply(Status::NotFound, QStringLiteral("Página não encontrada"));
    return QHttpServerResponse(mimeType, file.readAll());
}

QHttpServerResponse redirectReply(const QByteArray& location) {
    QHttpServerResponse response(Status::SeeOther);
    response.setHeader(QByteArrayLiteral("Location"), location);
    return response;
}

void addSafetyHeaders(QHttpServerResponse& response) {
    response.setHeader(QByteArrayLiteral("Cache-Control"), QByteArrayLiteral("no-store"));
    response.setHeader(QByteArrayLiteral("X-Content-Type-Options"), QByteArrayLiteral("nosniff"));
    response.setHeader(QByteArrayLiteral("X-Frame-Options"), QByteArrayLiteral("DENY"));
    response.setHeader(QByteArrayLiteral("Referrer-Policy"), QByteArrayLiteral("no-referrer"));
    response.setHeader(QByteArrayLiteral("Content-Security-Policy"),
                       QByteArrayLiteral("default-src 'self'; img-src 'self'; style-src 'self'; "
                                         "script-src 'self'; object-src 'none'; "
                                         "frame-ancestors 'none'; form-action 'self'"));
}

QByteArray headerValue(const QHttpServerRequest& request, const QByteArray& name) {
    for (const auto& [key, value] : request.headers()) {
        if (key.compare(name, Qt::CaseInsensitive) == 0)
            return value;
    }
    return {};
}

QByteArray cookieValue(const QHttpServerRequest& request, const QByteArray& name) {
    for (const auto& [key, value] : request.headers()) {
        if (key.compare("Cookie", Qt::CaseInsensitive) != 0)
            continue;
        for (const QByteArray& pair : value.split(';')) {
            const QByteArray trimmed = pair.trimmed();
            const qsizetype equals = trimmed.indexOf('=');
            if (equals > 0 && trimmed.left(equals) == name)
                return trimmed.mid(equals + 1);
        }
    }
    return {};
}

} // namespace orvalen::monitor
