#include "terminal/rules/class_timetable.h"

namespace orvalen::terminal::rules {

bool classInHours(const TimetableClass& turma, const QDate& date, const QTime& now) {
    return runsOn(turma.days, date) && withinClassWindow(turma.hours, now);
}

bool withinWeeklyTimetable(const ClassSlots& classSlots, const FindClass& find,
                           const ClassRunsNow& runsNow) {
    bool result = true;
    for (const QString& code : classSlots) {
        if (code.isEmpty())
            continue;
        const std::optional<TimetableClass> turma = find(code);
        if (!turma)
            continue;
        result = runsNow(*turma);
        if (result)
            break;
    }
    return result;
}

} // namespace orvalen::terminal::rules
