#pragma once

#include <QSqlQuery>

namespace orvalen::store {

// Bounds how long a prepared statement of an ODBC connection may wait for the server. A
// network that drops silently (packets lost, no reset) would otherwise hold the terminal
// inside the statement until TCP gives up, about a quarter of an hour later; keep-alive
// probes do not help while a request is unanswered. False when the driver refused.
bool boundStatementTime(const QSqlQuery& query, int seconds);

} // namespace orvalen::store
