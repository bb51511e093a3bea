#include "monitor/door_feed.h"

#include <deque>
#include <map>
#include <tuple>

namespace orvalen::monitor {

namespace {

const QString kGranted = QStringLiteral("Acesso Livre");

bool isStudentTable(const QString& table) {
    return table == QLatin1String("Acesso") || table == QLatin1String("AcessoDia");
}

DoorEvent eventOf(const desk::AccessRow& row) {
    if (row.table == QLatin1String("AcessoFuncionarios"))
        return {QStringLiteral("funcionario"), row, kGranted, row.obs, false};
    if (row.table == QLatin1String("AcessoVisitantes"))
        return {QStringLiteral("visitante"), row, QStringLiteral("Visitante"), row.obs, false};
    // "L" is the only status of a student let in; "S" and "H" are the refusals.
    return {QStringLiteral("aluno"), row, row.obs, QString(), row.status != QLatin1String("L")};
}

// Adds the other of a student's two rows to the event.
void merge(DoorEvent& event, const desk::AccessRow& other) {
    const desk::AccessRow& history = other.table == QLatin1String("Acesso") ? other : event.row;
    const desk::AccessRow& day = other.table == QLatin1String("AcessoDia") ? other : event.row;
    event.outcome = day.obs;
    event.observation = history.obs != day.obs ? history.obs : QString();
    if (event.row.name.isEmpty())
        event.row.name = other.name;
    event.row.table = day.table;
}

} // namespace

std::vector<DoorEvent> doorEvents(const std::vector<desk::AccessRow>& rows) {
    std::vector<DoorEvent> events;
    // Passages still waiting for their other row, by number, time and status: both rows of
    // a passage carry the same three.
    std::map<std::tuple<QString, QTime, QString>, std::deque<std::size_t>> waiting;
    for (const desk::AccessRow& row : rows) {
        // A visitor's day row (number 9999999999, status "V") stands beside the
        // AcessoVisitantes row of the same visit, which is the one shown.
        if (isStudentTable(row.table) && row.status == QLatin1String("V"))
            continue;
        if (isStudentTable(row.table)) {
            auto& queue = waiting[std::tuple(row.number, row.time, row.status)];
            if (!queue.empty() && events[queue.front()].row.table != row.table) {
                merge(events[queue.front()], row);
                queue.pop_front();
                continue;
            }
            queue.push_back(events.size());
        }
        events.push_back(eventOf(row));
    }
    return events;
}

QJsonObject eventJson(const DoorEvent& event) {
    const desk::AccessRow& row = event.row;
    return {{QStringLiteral("kind"), event.kind},
            {QStringLiteral("date"), row.date.toString(Qt::ISODate)},
            {QStringLiteral("time"), row.time.toString(QStringLiteral("HH:mm:ss"))},
            {QStringLiteral("number"), row.number},
            {QStringLiteral("name"), row.name},
            {QStringLiteral("status"), row.status},
            {QStringLiteral("outcome"), event.outcome},
            {QStringLiteral("observation"), event.observation},
            {QStringLiteral("unit"), row.unit},
            {QStringLiteral("refused"), event.refused}};
}

store::Result<QJsonArray> doorFeed(const store::ClubConnection& connection, const QDate& date,
                                   std::optional<QTime> from) {
    desk::AccessFilter filter;
    filter.date = date;
    filter.from = from;
    const auto rows = desk::readAccessRows(connection, filter);
    if (!rows.ok())
        return rows.error();
    const std::vector<DoorEvent> events = doorEvents(rows.value());
    QJsonArray feed;
    for (auto it = events.rbegin(); it != events.rend(); ++it)
        feed.append(eventJson(*it));
    return feed;
}

} // namespace orvalen::monitor
