#include "store/table_opening.h"
#include "terminal/record_values.h"
#include "terminal/rules/access_point_activities.h"
#include "terminal/rules/activity_labels.h"
#include "terminal/rules/booked_class.h"
#include "terminal/rules/class_timetable.h"
#include "terminal/rules/reentry_tolerance.h"
#include "terminal/screen_errors.h"
#include "terminal/terminal_screen.h"

namespace orvalen::terminal {

namespace {

// A class's hours for the rules; hours that are no time of day close its window and are
// written to the exception log.
template <class Row>
rules::ClassHours hoursOf(const Row& row, const QString& what, RecordDates& dates) {
    for (const QString& value : row.unreadable) {
        dates.logOnce(
            QStringLiteral("%1: %2 is no time of day; the class is out of hours").arg(what, value));
    }
    return {row.horaInicial, row.horaFinal, row.toleranciaEntrada, row.toleranciaSaida,
            !row.unreadable.isEmpty()};
}

std::vector<rules::Booking> asBookings(const std::vector<store::BookingRow>& rows,
                                       RecordDates& dates) {
    std::vector<rules::Booking> bookings;
    for (const auto& row : rows) {
        bookings.push_back(
            {row.codigoAula, row.atividade,
             hoursOf(row, QStringLiteral("AulasColetivas ") + row.codigoAula, dates)});
    }
    return bookings;
}

} // namespace

// The booked classes come from the class-booking portal when the club uses one.
std::vector<store::BookingRow> TerminalScreen::todaysBookings() {
    const store::ClubConnection* bookingDatabase = &database_;
    if (sacvar2_.isSim(QStringLiteral("AgendamentoAulaPortal"))) {
        if (!portalDatabase_) {
            const std::optional<store::ConnectionSpec> spec =
                need(store::portalConnection(sacvar2_, services_.local));
            if (spec) {
                auto portal = std::make_unique<store::ClubConnection>(
                    *spec, QStringLiteral("orvalen-portal"));
                need(portal->open());
                portalDatabase_ = std::move(portal);
            }
        }
        if (portalDatabase_) {
            bookingDatabase = portalDatabase_.get();
        }
    }
    const store::ClassLookups classes(*bookingDatabase);
    return need(classes.bookings(unit_.currentMatricula, businessDate_,
                                 sacvar_.real(QStringLiteral("CLIENTE"))));
}

bool TerminalScreen::ACESSO_HORA(const rules::ClassHours& turma) const {
    return rules::withinClassWindow(turma, services_.clock.now().time());
}

bool TerminalScreen::ACESSO_HORA_AGENDADO(const rules::ClassHours& bookedClass) const {
    return rules::withinClassWindow(bookedClass, services_.clock.now().time());
}

bool TerminalScreen::HORA_TURMA(const rules::TimetableClass& turma) const {
    return rules::runsOn(turma.days, businessDate_) && ACESSO_HORA(turma.hours);
}

bool TerminalScreen::TURMA_SEMANA() {
    if (sacvar2_.isSim(QStringLiteral("Acesso_Agendamento"))) {
        // Only the first booking decides.
        return rules::bookedClassInHours(
            asBookings(todaysBookings(), recordDates_),
            [this](const rules::ClassHours& hours) { return ACESSO_HORA_AGENDADO(hours); },
            reasons());
    }
    const QSqlRecord student = students_.record();
    rules::ClassSlots classSlots;
    const char* const names[] = {"TURMA_A", "TURMA_B", "TURMA_C", "TURMA_D", "TURMA_E", "TURMA_F"};
    for (std::size_t i = 0; i < classSlots.size(); ++i) {
        classSlots[i] = recordText(student, names[i]);
    }
    const store::ClassLookups classes(source_.connection());
    const auto find = [&](const QString& code) -> std::optional<rules::TimetableClass> {
        const std::optional<store::TurmaRow> turma = need(classes.turma(code));
        if (!turma) {
            return std::nullopt;
        }
        return rules::TimetableClass{
            hoursOf(*turma, QStringLiteral("Turma ") + turma->codigo, recordDates_), turma->days};
    };
    return rules::withinWeeklyTimetable(
        classSlots, find, [this](const rules::TimetableClass& turma) { return HORA_TURMA(turma); },
        reasons());
}

bool TerminalScreen::TOLERENCIAENTRADA() {
    const store::ClassLookups classes(database_);
    std::vector<rules::DayAccess> today;
    for (const auto& row : need(classes.grantedOn(unit_.currentMatricula, businessDate_))) {
        if (row.hora.isUnreadable()) {
            recordDates_.logOnce(store::unreadableDateMessage(QStringLiteral("AcessoDia.HORA"),
                                                              unit_.currentMatricula, row.hora));
        }
        today.push_back({row.hora.time(), row.status, row.hora.isUnreadable()});
    }
    const QDateTime now = services_.clock.now();
    return rules::reentryAllowed(today, sacvar2_.integer(QStringLiteral("TOLERANCIAENTRADA")),
                                 QDateTime(now.date(), now.time(), Qt::UTC), reasons());
}

bool TerminalScreen::Verifica_Atividade_Agendada() {
    const std::vector<rules::Booking> bookings = asBookings(todaysBookings(), recordDates_);
    const store::ClassLookups classes(source_.connection());
    return rules::bookedActivityAllowed(
        bookings,
        [&](const QString& code) {
            return need(classes.holdsDescribedActivity(unit_.currentMatricula, code));
        },
        reasons());
}

bool TerminalScreen::Verifica_Ponto_Acesso() {
    const QString matricula = recordText(students_.record(), "MATRICULA");
    const store::ClassLookups classes(database_);
    return rules::admittedAtAccessPoint(
        unit_.accessPointCodes,
        [&](const QString& code) { return need(classes.holdsActivity(matricula, code)); },
        reasons());
}

void TerminalScreen::MOSTRA_ATIVIDADES() {
    for (Control& label : state_.LBLATIVIDADESn) {
        label.caption.clear();
        label.visible = true;
    }
    const store::ClassLookups classes(source_.connection());
    const QStringList descriptions = need(classes.activityDescriptions(unit_.currentMatricula));
    if (!descriptions.isEmpty()) {
        state_.LBLATIVIDADES.visible = true;
    }
    const auto labels = rules::activityLabels(descriptions);
    for (std::size_t i = 0; i < labels.size(); ++i) {
        state_.LBLATIVIDADESn[i].caption = labels[i];
    }
    services_.pump.processEvents();
}

} // namespace orvalen::terminal
