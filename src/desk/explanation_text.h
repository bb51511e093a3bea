#pragma once

#include "desk/explain_recorder.h"
#include "desk/explanation_words.h"

#include <QJsonObject>
#include <QString>

namespace orvalen::desk {

// The explanation as the desk reads it: each check in order with its facts, then the
// outcome, the deciding check and the texts shown.
QString explanationText(const Explanation& explanation, Language language);

// The same as data: checks with their facts (dates as YYYY-MM-DD, times as HH:MM:SS),
// outcome, texts shown and the rows that would be written.
QJsonObject explanationJson(const Explanation& explanation, Language language);

} // namespace orvalen::desk
