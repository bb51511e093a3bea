// The data calls of the desk page: each reads its parameters, refuses what does not read,
// and answers JSON.
#include "monitor/desk_explanation.h"
#include "monitor/desk_server.h"
#include "monitor/door_feed.h"
#include "monitor/http_reply.h"
#include "monitor/member_lookup.h"
#include "monitor/member_photos.h"
#include "monitor/operator_login.h"
#include "monitor/visitor_release.h"
#include "store/table_opening.h"

#include <QJsonDocument>
#include <QUrlQuery>

namespace orvalen::monitor {

namespace {

const QByteArray kPlaceholder = QByteArrayLiteral(":/monitor/page/placeholder.svg");

QString parameter(const QHttpServerRequest& request, const char* name) {
    return request.query().queryItemValue(QLatin1String(name), QUrl::FullyDecoded);
}

QHttpServerResponse badParameter(const QString& message) {
    return errorReply(Status::BadRequest, message);
}

// The business date (the last cash row); unreadable is an error, never "today".
store::Result<QDate> businessDate(const store::ClubConnection& connection) {
    const auto business = store::readBusinessDate(connection);
    if (!business.ok())
        return business.error();
    if (!business->known())
        return store::Error{business->problem};
    return business->day;
}

} // namespace

QHttpServerResponse DeskServer::login(const QHttpServerRequest& request) {
    // A form of another site can post text, never JSON without asking first.
    if (!headerValue(request, QByteArrayLiteral("Content-Type")).startsWith("application/json"))
        return errorReply(Status::UnsupportedMediaType, QStringLiteral("Entrada só pela página"));
    const QJsonObject body = QJsonDocument::fromJson(request.body()).object();
    const QString code = body.value(QStringLiteral("code")).toString();
    const QString password = body.value(QStringLiteral("password")).toString();
    if (const qint64 wait = guard_.secondsToWait(code); wait > 0) {
        QHttpServerResponse refused = jsonReply(
            {{QStringLiteral("error"), QStringLiteral("Muitas tentativas: aguarde %1 s").arg(wait)},
             {QStringLiteral("wait"), wait}},
            Status::TooManyRequests);
        refused.setHeader(QByteArrayLiteral("Retry-After"), QByteArray::number(wait));
        return refused;
    }
    const auto user = checkOperator(*club_.connection, code, password);
    if (!user.ok())
        return databaseError(user.error().message);
    if (!user.value()) {
        guard_.failed(code);
        note(QStringLiteral("login recusado para o código \"%1\"").arg(code.left(10)));
        return errorReply(Status::Unauthorized, QStringLiteral("Código ou senha não conferem"));
    }
    guard_.succeeded(code);
    const QByteArray id = sessions_.open(user.value()->codigo, user.value()->nome);
    note(QStringLiteral("operador %1 entrou").arg(user.value()->codigo));
    QHttpServerResponse response = jsonReply({{QStringLiteral("ok"), true}});
    response.setHeader(QByteArrayLiteral("Set-Cookie"),
                       QByteArrayLiteral("orvalen_desk=") + id +
                           QByteArrayLiteral("; Path=/; HttpOnly; SameSite=Strict"));
    return response;
}

QHttpServerResponse DeskServer::logout(const QByteArray& id) {
    sessions_.close(id);
    QHttpServerResponse response = jsonReply({{QStringLiteral("ok"), true}});
    response.setHeader(QByteArrayLiteral("Set-Cookie"),
                       QByteArrayLiteral("orvalen_desk=; Path=/; Max-Age=0; HttpOnly; "
                                         "SameSite=Strict"));
    return response;
}

QHttpServerResponse DeskServer::sessionInfo(const Session& session) const {
    return jsonReply({{QStringLiteral("operator"), session.operatorCode},
                      {QStringLiteral("name"), session.operatorName},
                      {QStringLiteral("token"), QString::fromLatin1(session.token)},
                      {QStringLiteral("release"), terminalOnThisPc()}});
}

QHttpServerResponse DeskServer::feed(const QHttpServerRequest& request) const {
    const QString asked = parameter(request, "date");
    const auto day = asked.isEmpty() ? businessDate(*club_.connection)
                                     : store::Result<QDate>(QDate::fromString(asked, Qt::ISODate));
    if (!day.ok())
        return databaseError(day.error().message);
    if (!day->isValid())
        return badParameter(QStringLiteral("data inválida: ") + asked);
    std::optional<QTime> from;
    if (const QString since = parameter(request, "since"); !since.isEmpty()) {
        const QTime time = QTime::fromString(since, QStringLiteral("HH:mm:ss"));
        if (!time.isValid())
            return badParameter(QStringLiteral("hora inválida: ") + since);
        from = time;
    }
    const auto rows = doorFeed(*club_.connection, day.value(), from);
    if (!rows.ok())
        return databaseError(rows.error().message);
    return jsonReply({{QStringLiteral("date"), day->toString(Qt::ISODate)},
                      {QStringLiteral("rows"), rows.value()}});
}

QHttpServerResponse DeskServer::explain(const QHttpServerRequest& request) const {
    const QString number = storedNumber(parameter(request, "number"));
    const QDate date = QDate::fromString(parameter(request, "date"), Qt::ISODate);
    const QTime time = QTime::fromString(parameter(request, "time"), QStringLiteral("HH:mm:ss"));
    if (number.isEmpty() || !date.isValid() || !time.isValid())
        return badParameter(QStringLiteral("número, data e hora são necessários"));
    const auto explained = explainForDesk(club_, number, QDateTime(date, time), date);
    if (!explained.ok())
        return databaseError(explained.error().message);
    return jsonReply(explained.value());
}

QHttpServerResponse DeskServer::members(const QHttpServerRequest& request) const {
    const QString text = parameter(request, "q").trimmed();
    if (text.isEmpty())
        return badParameter(QStringLiteral("digite um número ou o começo do nome"));
    const auto found = findMembers(*club_.connection, text.left(35));
    if (!found.ok())
        return databaseError(found.error().message);
    return jsonReply({{QStringLiteral("members"), found.value()}});
}

QHttpServerResponse DeskServer::member(const QHttpServerRequest& request) const {
    const QString number = storedNumber(parameter(request, "number"));
    if (number.isEmpty())
        return badParameter(QStringLiteral("número inválido"));
    const auto card = memberCard(club_, number, now_());
    if (!card.ok())
        return databaseError(card.error().message);
    if (!card.value())
        return errorReply(Status::NotFound, QStringLiteral("Matrícula não está ativa"));
    return jsonReply(*card.value());
}

QHttpServerResponse DeskServer::photo(const QHttpServerRequest& request, Session& session) const {
    const QString kind = parameter(request, "kind");
    const QString number = storedNumber(parameter(request, "number"));
    if ((kind != QLatin1String("aluno") && kind != QLatin1String("funcionario")) ||
        number.isEmpty())
        return badParameter(QStringLiteral("foto de quem?"));
    const QString key = kind + QLatin1Char('/') + number;
    auto cached = session.photos.find(key);
    if (cached == session.photos.end()) {
        const auto scaled = scaledPhoto(*club_.connection, kind, number);
        if (!scaled.ok())
            return databaseError(scaled.error().message);
        cached = session.photos.emplace(key, scaled.value()).first;
    }
    if (cached->second.isEmpty())
        return resourceReply(QString::fromLatin1(kPlaceholder), QByteArrayLiteral("image/svg+xml"));
    return QHttpServerResponse(QByteArrayLiteral("image/jpeg"), cached->second);
}

QHttpServerResponse DeskServer::release(const Session& session) {
    if (!terminalOnThisPc())
        return errorReply(
            Status::Conflict,
            QStringLiteral("Nenhum terminal neste computador para liberar a catraca"));
    if (const store::Status sent = releaseForVisitor(); !sent.ok())
        return errorReply(Status::ServiceUnavailable, sent.error().message);
    note(QStringLiteral("catraca liberada para visitante pelo operador %1")
             .arg(session.operatorCode));
    return jsonReply({{QStringLiteral("ok"), true},
                      {QStringLiteral("operator"), session.operatorCode},
                      {QStringLiteral("time"), now_().toString(QStringLiteral("HH:mm:ss"))}});
}

} // namespace orvalen::monitor
