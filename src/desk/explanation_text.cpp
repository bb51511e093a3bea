#include "desk/explanation_text.h"

#include <QJsonArray>

namespace orvalen::desk {

using terminal::rules::Check;
using terminal::rules::Verdict;

namespace {

const QString kShortDate = QStringLiteral("dd/MM/yyyy");

QString readable(const QVariant& value, Language language) {
    switch (value.typeId()) {
    case QMetaType::QDate:
        return value.toDate().isValid() ? value.toDate().toString(kShortDate)
                                        : word("empty", language);
    case QMetaType::QTime:
        return value.toTime().isValid() ? value.toTime().toString(QStringLiteral("HH:mm"))
                                        : word("empty", language);
    case QMetaType::Bool:
        return word(value.toBool() ? "yes" : "no", language);
    case QMetaType::Int:
    case QMetaType::LongLong:
        return value.toString();
    case QMetaType::Double:
        return language == Language::Portuguese ? QString::number(value.toDouble(), 'f', 2)
                                                      .replace(QLatin1Char('.'), QLatin1Char(','))
                                                : QString::number(value.toDouble(), 'f', 2);
    default:
        break;
    }
    const QString text = value.toString();
    return text.isEmpty() ? word("empty", language) : QLatin1Char('"') + text + QLatin1Char('"');
}

QJsonValue asJson(const QVariant& value) {
    switch (value.typeId()) {
    case QMetaType::QDate:
        return value.toDate().isValid() ? QJsonValue(value.toDate().toString(Qt::ISODate))
                                        : QJsonValue();
    case QMetaType::QTime:
        return value.toTime().isValid()
                   ? QJsonValue(value.toTime().toString(QStringLiteral("HH:mm:ss")))
                   : QJsonValue();
    case QMetaType::Bool:
        return value.toBool();
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::Double:
        return value.toDouble();
    default:
        break;
    }
    if (value.typeId() == QMetaType::QByteArray)
        return QStringLiteral("<%1 bytes>").arg(value.toByteArray().size());
    return value.isNull() ? QJsonValue() : QJsonValue(value.toString());
}

QString verdictName(Verdict verdict) {
    switch (verdict) {
    case Verdict::Passes:
        return QStringLiteral("passes");
    case Verdict::Refuses:
        return QStringLiteral("refuses");
    case Verdict::Noted:
        break;
    }
    return QStringLiteral("noted");
}

QString placeKey(terminal::Place place) {
    return placeName(place, Language::English);
}

} // namespace

QString explanationText(const Explanation& e, Language language) {
    QString text;
    text += word("title", language) + QStringLiteral(" — ") + word("number", language) +
            QStringLiteral(" ") + e.typed + QLatin1Char('\n');
    text += word("at", language) + QStringLiteral(": ") + e.businessDate.toString(kShortDate) +
            QLatin1Char(' ') + e.time.toString(QStringLiteral("HH:mm")) + QStringLiteral(" (") +
            word("dry", language) + QStringLiteral(")\n\n");
    if (e.checks.empty())
        text += QStringLiteral("  ") + word("no_checks", language) + QLatin1Char('\n');
    int step = 0;
    for (const Check& check : e.checks) {
        text += QStringLiteral("%1. ").arg(++step, 2) + checkTitle(check.name, language);
        if (check.verdict != Verdict::Noted)
            text += QStringLiteral(": ") +
                    word(check.verdict == Verdict::Passes ? "passes" : "refuses", language);
        text += QLatin1Char('\n');
        for (const auto& fact : check.facts) {
            text += QStringLiteral("      ") + factLabel(fact.name, language) +
                    QStringLiteral(": ") + readable(fact.value, language) + QLatin1Char('\n');
        }
    }
    text += QLatin1Char('\n') + word("outcome", language) + QStringLiteral(": ") +
            word(e.granted() ? "granted" : "refused", language);
    if (const QString outcome = e.outcomeText(); !outcome.isEmpty())
        text += QStringLiteral(" — \"") + outcome + QLatin1Char('"');
    if (const QString status = e.status(); !status.isEmpty())
        text += QStringLiteral(" (") + word("status", language) + QLatin1Char(' ') + status +
                QLatin1Char(')');
    text += QLatin1Char('\n');
    if (const Check* deciding = e.deciding())
        text += word("deciding", language) + QStringLiteral(": ") +
                checkTitle(deciding->name, language) + QLatin1Char('\n');
    text += word("shown", language) + QStringLiteral(":\n");
    for (const ShownText& shown : e.shown) {
        text += QStringLiteral("  ") + placeName(shown.place, language) + QStringLiteral(": ") +
                QString(shown.text).replace(QStringLiteral("\n\r"), QStringLiteral(" / ")) +
                QLatin1Char('\n');
    }
    if (!e.errors.isEmpty()) {
        text += word("errors", language) + QStringLiteral(":\n");
        for (const QString& error : e.errors)
            text += QStringLiteral("  ") + error + QLatin1Char('\n');
    }
    return text;
}

QJsonObject explanationJson(const Explanation& e, Language language) {
    QJsonArray checks;
    for (const Check& check : e.checks) {
        QJsonObject facts;
        for (const auto& fact : check.facts)
            facts.insert(fact.name, asJson(fact.value));
        checks.append(QJsonObject{{QStringLiteral("check"), check.name},
                                  {QStringLiteral("title"), checkTitle(check.name, language)},
                                  {QStringLiteral("verdict"), verdictName(check.verdict)},
                                  {QStringLiteral("facts"), facts}});
    }
    QJsonArray shown;
    for (const ShownText& s : e.shown)
        shown.append(QJsonObject{{QStringLiteral("place"), placeKey(s.place)},
                                 {QStringLiteral("text"), s.text}});
    QJsonArray rows;
    for (const terminal::LogRow& row : e.rows) {
        QJsonObject columns;
        for (const auto& [name, value] : row.columns)
            columns.insert(name, asJson(value));
        rows.append(QJsonObject{{QStringLiteral("table"), row.table},
                                {QStringLiteral("columns"), columns}});
    }
    const Check* deciding = e.deciding();
    return {{QStringLiteral("number"), e.typed},
            {QStringLiteral("business_date"), e.businessDate.toString(Qt::ISODate)},
            {QStringLiteral("time"), e.time.toString(QStringLiteral("HH:mm:ss"))},
            {QStringLiteral("checks"), checks},
            {QStringLiteral("outcome"),
             QJsonObject{{QStringLiteral("granted"), e.granted()},
                         {QStringLiteral("text"), e.outcomeText()},
                         {QStringLiteral("status"), e.status()},
                         {QStringLiteral("deciding"),
                          deciding ? QJsonValue(deciding->name) : QJsonValue()}}},
            {QStringLiteral("shown"), shown},
            {QStringLiteral("rows"), rows},
            {QStringLiteral("errors"), QJsonArray::fromStringList(e.errors)}};
}

} // namespace orvalen::desk
