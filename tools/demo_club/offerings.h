#pragma once

#include "demo_club/row_writer.h"
#include "store/result.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QTime>
#include <array>

namespace orvalen::demo {

// A weekly class of the timetable (Turma).
struct WeeklyClass {
    QString code;
    QString description;
    QTime start;
    QTime end;
    int toleranceIn = 0;        // minutes before the start
    int toleranceOut = 0;       // minutes after the end
    std::array<bool, 7> days{}; // Monday .. Sunday
    QString activity;
};

// A group class that members book for a day (AulasColetivas).
struct GroupClass {
    int code = 0;
    QString activity; // code and name, as FrequenciaAula carries it
    QTime start;
    QTime end;
};

const QList<WeeklyClass>& weeklyClasses();
const QList<GroupClass>& groupClasses();

// The class open all day on every day: its members are always within hours.
inline constexpr auto kAllDayClass = "MUSCLIV";
// A class of the timetable that does not run on the given day's weekday.
QString classNotRunningOn(const QDate& day);

// Codes of the price list.
inline constexpr auto kFreeAccessFee = "08";
inline constexpr auto kGympassFee = "09";
inline constexpr auto kAnnualPlan = "01";
// Activities every member may take; the first is the weight room.
QStringList activityCodes();

// ATIVIDADES, PLANOS, MENSALIDADES, Turma and AulasColetivas of one database.
store::Status writeOfferings(RowWriter& writer, double branchCode);

} // namespace orvalen::demo
