#include "contingency/change_text.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace orvalen::contingency {

namespace {

QJsonArray valueText(const QVariant& value) {
    if (value.isNull()) {
        return {QStringLiteral("null"), QJsonValue()};
    }
    switch (value.metaType().id()) {
    case QMetaType::QByteArray:
        return {QStringLiteral("bytes"), QString::fromLatin1(value.toByteArray().toBase64())};
    case QMetaType::Bool:
        return {QStringLiteral("bool"), value.toBool()};
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::Short:
        return {QStringLiteral("int"), value.toLongLong()};
    case QMetaType::Double:
    case QMetaType::Float:
        return {QStringLiteral("real"), value.toDouble()};
    default:
        return {QStringLiteral("text"), value.toString()};
    }
}

std::optional<QVariant> valueFrom(const QJsonValue& json) {
    const QJsonArray pair = json.toArray();
    const QString type = pair.at(0).toString();
    const QJsonValue value = pair.at(1);
    if (type == QLatin1String("null")) {
        return QVariant();
    }
    if (type == QLatin1String("bytes")) {
        return QVariant(QByteArray::fromBase64(value.toString().toLatin1()));
    }
    if (type == QLatin1String("bool")) {
        return QVariant(value.toBool());
    }
    if (type == QLatin1String("int")) {
        return QVariant(static_cast<qlonglong>(value.toDouble()));
    }
    if (type == QLatin1String("real")) {
        return QVariant(value.toDouble());
    }
    if (type == QLatin1String("text")) {
        return QVariant(value.toString());
    }
    return std::nullopt;
}

QJsonArray pairsText(const std::vector<std::pair<QString, QVariant>>& pairs) {
    QJsonArray out;
    for (const auto& [name, value] : pairs) {
        out.append(QJsonArray{name, valueText(value)});
    }
    return out;
}

bool pairsFrom(const QJsonArray& json, std::vector<std::pair<QString, QVariant>>& pairs) {
    for (const QJsonValue& item : json) {
        const QJsonArray pair = item.toArray();
        const std::optional<QVariant> value = valueFrom(pair.at(1));
        if (pair.size() != 2 || !value) {
            return false;
        }
        pairs.emplace_back(pair.at(0).toString(), *value);
    }
    return true;
}

} // namespace

QString changeText(const terminal::LogWrite& change) {
    QJsonArray statements;
    for (const terminal::LogStatement& statement : change.statements) {
        statements.append(QJsonObject{{QStringLiteral("table"), statement.table},
                                      {QStringLiteral("sql"), statement.sql},
                                      {QStringLiteral("bindings"), pairsText(statement.bindings)},
                                      {QStringLiteral("mustChangeRow"), statement.mustChangeRow}});
    }
    QJsonArray rows;
    for (const terminal::LogRow& row : change.rows) {
        rows.append(QJsonObject{{QStringLiteral("table"), row.table},
                                {QStringLiteral("columns"), pairsText(row.columns)}});
    }
    return QString::fromUtf8(QJsonDocument(QJsonObject{{QStringLiteral("statements"), statements},
                                                       {QStringLiteral("rows"), rows}})
                                 .toJson(QJsonDocument::Compact));
}

store::Result<terminal::LogWrite> changeFromText(const QString& text) {
    const QJsonObject json = QJsonDocument::fromJson(text.toUtf8()).object();
    const store::Error unreadable{
        QStringLiteral("an outbox row that cannot be read: %1").arg(text.left(200))};
    if (json.isEmpty()) {
        return unreadable;
    }
    terminal::LogWrite change;
    for (const QJsonValue& item : json.value(QStringLiteral("statements")).toArray()) {
        const QJsonObject object = item.toObject();
        terminal::LogStatement statement{object.value(QStringLiteral("table")).toString(),
                                         object.value(QStringLiteral("sql")).toString(),
                                         {},
                                         object.value(QStringLiteral("mustChangeRow")).toBool()};
        if (!pairsFrom(object.value(QStringLiteral("bindings")).toArray(), statement.bindings)) {
            return unreadable;
        }
        change.statements.push_back(std::move(statement));
    }
    for (const QJsonValue& item : json.value(QStringLiteral("rows")).toArray()) {
        const QJsonObject object = item.toObject();
        terminal::LogRow row{object.value(QStringLiteral("table")).toString(), {}, std::nullopt};
        if (!pairsFrom(object.value(QStringLiteral("columns")).toArray(), row.columns)) {
            return unreadable;
        }
        change.rows.push_back(std::move(row));
    }
    return change;
}

} // namespace orvalen::contingency
