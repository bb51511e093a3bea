#include "terminal/rules/class_timetable.h"

namespace orvalen::terminal::rules {

bool classInHours(const TimetableClass& turma, const QDate& date, const QTime& now) {
    return runsOn(turma.days, date) && withinClassWindow(turma.hours, now);
}

bool withinWeeklyTimetable(const ClassSlots& classSlots, const FindClass& find, const QDate& date,
                           const QTime& now) {
    bool result = true;
    for (const QString& code : classSlots) {
        if (code.isEmpty())
            continue;
        const std::optional<TimetableClass> turma = find(code);
        if (!turma)
            continue;
        result = classInHours(*turma, date, now);
        if (result)
            break;
    }
    return result;
}

} // namespace orvalen::terminal::rules
