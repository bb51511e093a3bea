#pragma once

#include "terminal/rules/class_window.h"
#include "terminal/rules/reasons.h"

#include <QString>
#include <QTime>
#include <functional>
#include <optional>
#include <vector>

namespace orvalen::terminal::rules {

// A class the student booked for the business date, with the booked class's hours.
struct Booking {
    QString classCode; // Codigo_Aula
    QString activity;  // ATIVIDADE; its first two characters are the activity code
    ClassHours hours;
};

// The booking that decides when there are several: the earliest start, then the lowest
// class code, then the lowest activity, so the same rows always give the same answer.
std::optional<Booking> firstBooking(const std::vector<Booking>& bookings);

// The activity code of a booking.
QString bookedActivityCode(const Booking& booking);

// Whether the student holds the named activity (with a known description).
using HoldsActivity = std::function<bool(const QString& activityCode)>;

// True without a booking, otherwise whether the first booking's activity is the student's.
bool bookedActivityAllowed(const std::vector<Booking>& bookings, const HoldsActivity& holds,
                           const Reasons& reasons = {});

// With bookings in force: whether the first booking's class is within its hours now (the
// screen's ACESSO_HORA_AGENDADO). No booking refuses.
using BookedClassNow = std::function<bool(const ClassHours& hours)>;
bool bookedClassInHours(const std::vector<Booking>& bookings, const BookedClassNow& inHours,
                        const Reasons& reasons = {});

} // namespace orvalen::terminal::rules
