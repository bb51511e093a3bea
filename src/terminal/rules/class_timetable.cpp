#include "terminal/rules/class_timetable.h"

#include <QStringList>

namespace orvalen::terminal::rules {

QString dayNames(const DayFlags& days) {
    static const char* const names[] = {"SEG", "TER", "QUA", "QUI", "SEX", "SAB", "DOM"};
    QStringList named;
    for (std::size_t i = 0; i < days.size(); ++i) {
        if (days[i])
            named << QLatin1String(names[i]);
    }
    return named.join(QLatin1Char(' '));
}

bool withinWeeklyTimetable(const ClassSlots& classSlots, const FindClass& find,
                           const ClassRunsNow& runsNow, const Reasons& reasons) {
    static const char* const slotNames[] = {"TURMA_A", "TURMA_B", "TURMA_C",
                                            "TURMA_D", "TURMA_E", "TURMA_F"};
    bool result = true;
    bool anyClass = false;
    for (std::size_t i = 0; i < classSlots.size(); ++i) {
        const QString& code = classSlots[i];
        if (code.isEmpty())
            continue;
        const std::optional<TimetableClass> turma = find(code);
        if (!turma) {
            tell(reasons, "class.slot_unknown", Verdict::Noted,
                 {{QStringLiteral("slot"), QLatin1String(slotNames[i])},
                  {QStringLiteral("class"), code}});
            continue;
        }
        anyClass = true;
        result = runsNow(*turma);
        const ClassWindow window = classWindow(turma->hours);
        tell(reasons, "class.slot", Verdict::Noted,
             {{QStringLiteral("slot"), QLatin1String(slotNames[i])},
              {QStringLiteral("class"), code},
              {QStringLiteral("days"), dayNames(turma->days)},
              {QStringLiteral("start"), turma->hours.start},
              {QStringLiteral("end"), turma->hours.end},
              {QStringLiteral("entry_tolerance_minutes"),
               toleranceMinutes(turma->hours.entryToleranceMinutes)},
              {QStringLiteral("exit_tolerance_minutes"),
               toleranceMinutes(turma->hours.exitToleranceMinutes)},
              {QStringLiteral("opens"), window.opens},
              {QStringLiteral("closes"), window.closes},
              {QStringLiteral("runs_now"), result}});
        if (result)
            break;
    }
    tell(reasons, anyClass ? "class.timetable" : "class.none", verdictOf(result));
    return result;
}

} // namespace orvalen::terminal::rules
