#pragma once

#include "terminal/rules/class_window.h"
#include "terminal/rules/reasons.h"
#include "terminal/rules/weekday.h"

#include <QDate>
#include <QString>
#include <QTime>
#include <array>
#include <functional>
#include <optional>

namespace orvalen::terminal::rules {

// One class of the weekly timetable (a Turma row).
struct TimetableClass {
    ClassHours hours;
    DayFlags days{};
};

// The student's six class slots TURMA_A … TURMA_F; empty when not in use.
using ClassSlots = std::array<QString, 6>;

// Finds a class by its exact code; nothing when the timetable has no such class.
using FindClass = std::function<std::optional<TimetableClass>(const QString& code)>;

// Whether a class runs now (the screen's HORA_TURMA).
using ClassRunsNow = std::function<bool(const TimetableClass& turma)>;

// True when no slot names an existing class, or one such class is within its hours now.
// Tells every slot looked at: its class, the class's days and window, and whether it runs.
bool withinWeeklyTimetable(const ClassSlots& classSlots, const FindClass& find,
                           const ClassRunsNow& runsNow, const Reasons& reasons = {});

// The day flags as the timetable names them: "SEG TER QUA".
QString dayNames(const DayFlags& days);

} // namespace orvalen::terminal::rules
