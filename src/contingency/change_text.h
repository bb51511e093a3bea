#pragma once

#include "store/result.h"
#include "terminal/log_writer.h"

#include <QString>

namespace orvalen::contingency {

// A write as the outbox keeps it until the club database takes it: its statements and rows
// with every value and its type (text, number, bytes, nothing), as one JSON text. The row
// limits stay out: the person has passed, the row is written whatever the count is by then.
QString changeText(const terminal::LogWrite& change);
store::Result<terminal::LogWrite> changeFromText(const QString& text);

} // namespace orvalen::contingency
