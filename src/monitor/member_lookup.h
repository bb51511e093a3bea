#pragma once

#include "desk/club_database.h"
#include "store/result.h"

#include <QDateTime>
#include <QJsonArray>
#include <QJsonObject>

namespace orvalen::monitor {

// Active members found by number (as the terminal matches it) or by the beginning of the
// name (the terminal's name search: the list in name order from the first name at or after
// the text), at most 20.
store::Result<QJsonArray> findMembers(const store::ClubConnection& connection, const QString& text);

// One active member for the desk: name, plan, fee, due day, the payment situation now
// (the explanation), and the last 30 passages. Nothing when the number is not active.
store::Result<std::optional<QJsonObject>> memberCard(const desk::OpenClub& club,
                                                     const QString& number, const QDateTime& now);

// The number as stored: ten digits, zeros in front. Empty when the text is not a number.
QString storedNumber(const QString& text);

} // namespace orvalen::monitor
