#pragma once

#include "store/connection.h"
#include "store/result.h"
#include "store/stored_date_time.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <QTime>
#include <array>
#include <optional>
#include <vector>

namespace orvalen::store {

// A class of the weekly timetable (Turma).
struct TurmaRow {
    QString codigo;
    QTime horaInicial; // invalid when empty
    QTime horaFinal;
    double toleranciaEntrada = 0; // minutes; empty reads as 0
    double toleranciaSaida = 0;
    std::array<bool, 7> days{}; // SEG, TER, QUA, QUI, SEX, SAB, DOM
    // The hours that are no time of day, as "HORA_INICIAL \"x\"": the class has no window.
    QStringList unreadable;
};

// A class booked by a student for a date, with the booked class's hours.
struct BookingRow {
    QString codigoAula;
    QString atividade;
    QTime horaInicial;
    QTime horaFinal;
    double toleranciaEntrada = 0;
    double toleranciaSaida = 0;
    QStringList unreadable; // as for TurmaRow
};

// A row of the day's access log of one student.
struct DayAccessRow {
    StoredDateTime hora;
    QString status;
};

// The lookups of the class and activity rules: timetable, booked classes, the student's
// activities and today's grants. Each goes by an indexed column with every value bound.
class ClassLookups {
public:
    explicit ClassLookups(const ClubConnection& connection) : connection_(connection) {}

    // `TBLTURMAS` located by CODIGO: the class whose CODIGO is exactly the code (case included).
    Result<std::optional<TurmaRow>> turma(const QString& code) const;
    // `QRYAULA`: the student's bookings for the date at this club, joined with the booked classes.
    Result<std::vector<BookingRow>> bookings(const QString& matricula, const QDate& date,
                                             double cliente) const;
    // `QRYATIVDADES` with one activity: whether the student holds it and it has a description.
    Result<bool> holdsDescribedActivity(const QString& matricula, const QString& code) const;
    // `QRYATIVDADES`: descriptions of the student's activities, by activity code.
    Result<QStringList> activityDescriptions(const QString& matricula) const;
    // `QRYTOLERANCIAENTRADA`: the student's granted accesses on the date (STATUS "L").
    Result<std::vector<DayAccessRow>> grantedOn(const QString& matricula, const QDate& date) const;
    // `QRYPONTOACESSO`: whether the student holds the activity at all.
    Result<bool> holdsActivity(const QString& matricula, const QString& code) const;

private:
    Result<bool> any(const QString& sql, const Bindings& bindings) const;

    const ClubConnection& connection_;
};

} // namespace orvalen::store
