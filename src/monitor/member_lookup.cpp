#include "monitor/member_lookup.h"

#include "desk/access_rows.h"
#include "monitor/desk_explanation.h"
#include "monitor/door_feed.h"
#include "store/people_lookups.h"

#include <QRegularExpression>
#include <QSqlRecord>

namespace orvalen::monitor {

namespace {

constexpr int kFound = 20;
constexpr int kLastEntries = 30;

QJsonObject listed(const store::StudentListRow& row) {
    return {{QStringLiteral("number"), row.matricula.trimmed()},
            {QStringLiteral("name"), row.nome.trimmed()}};
}

store::Result<QJsonArray> byName(const store::PeopleLookups& people, const QString& text) {
    QJsonArray found;
    const auto first = people.firstActiveFrom(store::StudentOrder::Nome, text);
    if (!first.ok())
        return first.error();
    if (!first.value())
        return found;
    const auto position = people.activePosition(store::StudentOrder::Nome, *first.value());
    if (!position.ok())
        return position.error();
    const auto page = people.activePage(store::StudentOrder::Nome, position.value(), kFound);
    if (!page.ok())
        return page.error();
    for (const store::StudentListRow& row : page.value()) {
        if (!row.nome.trimmed().startsWith(text.trimmed(), Qt::CaseInsensitive))
            break;
        found.append(listed(row));
    }
    return found;
}

// DESCRICAO of a plan or fee row; empty when the member has none on file.
store::Result<QString> described(const store::Result<std::optional<QSqlRecord>>& row) {
    if (!row.ok())
        return row.error();
    if (!row.value())
        return QString();
    return row.value()->value(QStringLiteral("DESCRICAO")).toString().trimmed();
}

QJsonArray lastEntries(const std::vector<desk::AccessRow>& rows) {
    const std::vector<DoorEvent> events = doorEvents(rows);
    QJsonArray entries;
    for (auto it = events.rbegin(); it != events.rend() && entries.size() < kLastEntries; ++it)
        entries.append(eventJson(*it));
    return entries;
}

} // namespace

QString storedNumber(const QString& text) {
    static const QRegularExpression digits(QStringLiteral("^\\d{1,10}$"));
    const QString trimmed = text.trimmed();
    return digits.match(trimmed).hasMatch() ? trimmed.rightJustified(10, QLatin1Char('0'))
                                            : QString();
}

store::Result<QJsonArray> findMembers(const store::ClubConnection& connection,
                                      const QString& text) {
    const store::PeopleLookups people(connection);
    const QString number = storedNumber(text);
    if (number.isEmpty())
        return byName(people, text);
    QJsonArray found;
    const auto student = people.activeStudent(number);
    if (!student.ok())
        return student.error();
    if (student.value())
        found.append(listed({student.value()->value(QStringLiteral("MATRICULA")).toString(),
                             student.value()->value(QStringLiteral("NOME")).toString()}));
    return found;
}

store::Result<std::optional<QJsonObject>> memberCard(const desk::OpenClub& club,
                                                     const QString& number, const QDateTime& now) {
    const store::PeopleLookups people(*club.connection);
    const auto student = people.activeStudent(number);
    if (!student.ok())
        return student.error();
    if (!student.value())
        return std::optional<QJsonObject>{};
    const QSqlRecord& record = *student.value();
    desk::AccessFilter filter;
    filter.number = number;
    const auto rows = desk::readAccessRows(*club.connection, filter);
    if (!rows.ok())
        return rows.error();
    const auto situation = explainForDesk(club, number, now, std::nullopt);
    if (!situation.ok())
        return situation.error();
    const auto plan = described(people.plan(record.value(QStringLiteral("PLANOS")).toString()));
    if (!plan.ok())
        return plan.error();
    const auto fee =
        described(people.monthlyFee(record.value(QStringLiteral("MODALIDADE")).toString()));
    if (!fee.ok())
        return fee.error();
    const QVariant dueDay = record.value(QStringLiteral("DIA_VENCIMENTO"));
    return std::optional<QJsonObject>{QJsonObject{
        {QStringLiteral("number"), number},
        {QStringLiteral("name"), record.value(QStringLiteral("NOME")).toString().trimmed()},
        {QStringLiteral("plan"), plan.value()},
        {QStringLiteral("fee"), fee.value()},
        {QStringLiteral("due_day"), dueDay.isNull() ? QJsonValue() : QJsonValue(dueDay.toInt())},
        {QStringLiteral("situation"), situation.value()},
        {QStringLiteral("entries"), lastEntries(rows.value())}}};
}

} // namespace orvalen::monitor
