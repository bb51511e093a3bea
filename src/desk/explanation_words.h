#pragma once

#include "terminal/screen_observer.h"

#include <QString>

namespace orvalen::desk {

// The languages of an explanation: Portuguese for the front desk, English for maintainers.
enum class Language { Portuguese, English };

// The title of a check ("payment.receipt" -> "Mês procurado em RECEB"); the name itself
// when there is no title for it.
QString checkTitle(const QString& check, Language language);

// The label of a fact ("due_day" -> "dia de vencimento"); the name itself when unknown.
QString factLabel(const QString& fact, Language language);

// Fixed words of the explanation: "granted", "refused", "yes", "no", "passes", ...
QString word(const char* key, Language language);

// Where a text appeared, in the language.
QString placeName(terminal::Place place, Language language);

} // namespace orvalen::desk
