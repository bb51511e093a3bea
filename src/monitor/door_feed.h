#pragma once

#include "desk/access_rows.h"
#include "store/connection.h"
#include "store/result.h"

#include <QJsonArray>
#include <QJsonObject>
#include <optional>
#include <vector>

namespace orvalen::monitor {

// One passage at the door as the desk sees it. A student's passage is written twice, to the
// history (Acesso) and the day's table (AcessoDia): the two rows are one event here, with
// the outcome from the day's row and the observation the history kept when it differs.
struct DoorEvent {
    QString kind; // "aluno", "funcionario", "visitante"
    desk::AccessRow row;
    QString outcome;
    QString observation;
    bool refused = false;
};

// The access rows of one day, oldest first, as events.
std::vector<DoorEvent> doorEvents(const std::vector<desk::AccessRow>& rows);

// The events of the business date, newest first; `from` keeps those at or after that time.
store::Result<QJsonArray> doorFeed(const store::ClubConnection& connection, const QDate& date,
                                   std::optional<QTime> from);

QJsonObject eventJson(const DoorEvent& event);

} // namespace orvalen::monitor
