#pragma once

#include "store/result.h"

#include <QString>

namespace orvalen::terminal {

// The eight outcome texts that go to the status panel; every other text is information.
bool isStatusText(const QString& text);

// STATUS of a student's log row: "L" granted, "S" refused for the person's situation
// (and the two pending holds), "H" any other outcome.
QString accessStatus(const QString& outcome);

// OBS holds 30 characters; a longer text keeps its first 30.
QString cutObs(const QString& text);

// OBS of a visitor row: the observation typed; else, when the last logged student was
// refused, that student's number without leading zeros, "-" and the refusal; else empty.
// A last number that is not a whole number cannot be written and is an error.
store::Result<QString> visitorObs(const QString& observation, const QString& lastMatricula,
                                  const QString& lastStatus, const QString& lastObs);

} // namespace orvalen::terminal
