#pragma once

#include <QByteArray>
#include <QHttpServerRequest>
#include <QHttpServerResponse>
#include <QJsonObject>
#include <QString>

namespace orvalen::monitor {

using Status = QHttpServerResponse::StatusCode;

QHttpServerResponse jsonReply(const QJsonObject& body, Status status = Status::Ok);
// {"error": message} with the status.
QHttpServerResponse errorReply(Status status, const QString& message);
// A file of the program's resources with its type; 404 when there is none.
QHttpServerResponse resourceReply(const QString& path, const QByteArray& mimeType);
QHttpServerResponse redirectReply(const QByteArray& location);

// Headers every answer carries: nothing cached, nothing framed, nothing loaded from
// elsewhere, no inline script.
void addSafetyHeaders(QHttpServerResponse& response);

// The request's header (case-insensitive name), empty when absent.
QByteArray headerValue(const QHttpServerRequest& request, const QByteArray& name);
// The value of the named cookie, empty when absent.
QByteArray cookieValue(const QHttpServerRequest& request, const QByteArray& name);

} // namespace orvalen::monitor
