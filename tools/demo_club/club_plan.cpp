#include "demo_club/club_plan.h"

#include "demo_club/member_cases.h"
#include "demo_club/offerings.h"
#include "demo_club/payment_patterns.h"
#include "demo_club/portuguese_names.h"

#include <QRandomGenerator>
#include <algorithm>

namespace orvalen::demo {

namespace {

constexpr qint64 kFirstStudent = 10001;
constexpr qint64 kFirstFormerStudent = 30001;
constexpr qint64 kFirstBranchStudent = 50001;

QColor colourFor(QRandomGenerator& random) {
    return QColor::fromHsv(random.bounded(360), 110 + random.bounded(100),
                           140 + random.bounded(90));
}

DemoMember regularMember(QRandomGenerator& random, const QString& number, const QDate& today) {
    DemoMember m;
    m.number = number;
    m.name = portugueseName(random);
    m.birth = dateBetween(random, today.addYears(-70), today.addYears(-14));
    if (m.birth.month() == today.month() && m.birth.day() == today.day()) {
        m.birth = m.birth.addDays(1); // birthdays are a case of their own
    }
    m.registered = dateBetween(random, today.addYears(-3), today.addMonths(-3));
    m.medical = dateBetween(random, today.addMonths(-(kAssessmentMonths - 1)), today.addDays(-1));
    m.functional =
        dateBetween(random, today.addMonths(-(kAssessmentMonths - 1)), today.addDays(-1));
    m.dueDay = 1 + random.bounded(28);
    m.fee = QStringLiteral("0%1").arg(1 + random.bounded(7));
    if (random.bounded(100) < 15) {
        m.plan = QStringLiteral("0%1").arg(1 + random.bounded(5));
    }
    m.discount = random.bounded(100) < 10 ? 10.0 : 0.0;
    m.activities = {activityCodes().first()};
    if (random.bounded(100) < 45) {
        m.activities << activityCodes().at(1 + random.bounded(int(activityCodes().size()) - 1));
    }
    m.colour = colourFor(random);
    applyPayment(m, Payment::UpToDate, today);
    return m;
}

} // namespace

QString shortDate(const QDate& date) {
    return date.toString(QStringLiteral("dd/MM/yyyy"));
}

QString monthYear(const QDate& date) {
    return date.toString(QStringLiteral("MM/yyyy"));
}

QString enrollmentNumber(qint64 value) {
    return QStringLiteral("%1").arg(value, 10, 10, QLatin1Char('0'));
}

ClubPlan planMainClub(int memberCount, const QDate& today, quint32 seed) {
    QRandomGenerator random(seed);
    ClubPlan plan;
    qint64 next = kFirstStudent;
    for (const MemberCase& c : memberCases(today)) {
        DemoMember m = regularMember(random, enrollmentNumber(next++), today);
        c.shape(m, plan);
        plan.catalogue.append(
            {c.situation, m.number, m.name + QStringLiteral(": ") + c.description});
        plan.members.append(m);
    }
    while (plan.members.size() < memberCount) {
        DemoMember m = regularMember(random, enrollmentNumber(next++), today);
        const int roll = random.bounded(100);
        if (roll < 8) {
            applyPayment(m, Payment::WithinTolerance, today);
        } else if (roll < 15) {
            applyPayment(m, Payment::Overdue, today);
        } else if (roll < 18) {
            applyPayment(m, Payment::PaidAhead, today);
        }
        const int classRoll = random.bounded(100);
        if (classRoll < 10) {
            joinClass(m, QLatin1String(kAllDayClass));
        } else if (classRoll < 20) {
            joinClass(m,
                      weeklyClasses().at(1 + random.bounded(int(weeklyClasses().size()) - 1)).code);
        }
        const bool booked = random.bounded(100) < 5;
        if (booked) {
            // Booked on an earlier day: history for the booking tables.
            plan.bookings.append({m.number, today.addDays(-1 - random.bounded(6)), 1,
                                  groupClasses().at(0).activity});
        }
        if (roll >= 18 && classRoll >= 20 && !booked) {
            plan.plainPaidUp << m.number;
        }
        plan.members.append(m);
    }
    for (int i = 0; i < 15; ++i) {
        plan.formerStudents << enrollmentNumber(kFirstFormerStudent + i);
    }
    plan.catalogue.append({QStringLiteral("inactive"), plan.formerStudents.first(),
                           QStringLiteral("former student, no longer active -> \"Inativo !!!\"")});
    plan.catalogue.append({QStringLiteral("unknown"), enrollmentNumber(88888),
                           QStringLiteral("not on file -> \"Inexistente !!!\"")});

    // The staff draw from a generator of their own: how many numbers the members took varies
    // with the day the club is made, and the staff names stay the same whatever the day.
    QRandomGenerator staff(seed + 101);
    const QDate lastAllowed = today.addMonths(-2);
    plan.employees = {
        {QStringLiteral("0000000101"),
         portugueseName(staff),
         QStringLiteral("Professor"),
         QDate(1985, 4, 12),
         {},
         {},
         colourFor(staff)},
        {QStringLiteral("0000000102"),
         portugueseName(staff),
         QStringLiteral("Recepcionista"),
         QDate(1990, 9, 3),
         today.addDays(-40),
         {},
         colourFor(staff)},
        {QStringLiteral("0000000103"),
         portugueseName(staff),
         QStringLiteral("Estagiário"),
         QDate(2001, 1, 22),
         {},
         monthYear(lastAllowed),
         colourFor(staff)},
        {QStringLiteral("9100000104"),
         portugueseName(staff),
         QStringLiteral("Gerente"),
         QDate(1979, 11, 30),
         {},
         monthYear(today),
         colourFor(staff)},
        {QStringLiteral("0000000105"),
         portugueseName(staff),
         QStringLiteral("Nutricionista"),
         QDate(1988, 6, 17),
         {},
         {},
         colourFor(staff)},
        {QStringLiteral("0000000106"),
         portugueseName(staff),
         QStringLiteral("Professor"),
         QDate(1993, 2, 8),
         {},
         {},
         colourFor(staff)},
        {QStringLiteral("0000000107"),
         portugueseName(staff),
         QStringLiteral("Limpeza"),
         QDate(1975, 8, 25),
         {},
         {},
         colourFor(staff)},
    };
    const auto employee = [&](int i) -> QString { return plan.employees.at(i).number; };
    const auto named = [&](int i) -> QString {
        return plan.employees.at(i).name + QStringLiteral(": ");
    };
    plan.catalogue.append(
        {QStringLiteral("employee"), employee(0),
         named(0) + QStringLiteral("employee, type 00101 -> name and job title, released")});
    plan.catalogue.append(
        {QStringLiteral("employee-card"), employee(3),
         named(3) + QStringLiteral("employee card, allowed through %1 -> released")
                        .arg(monthYear(today))});
    plan.catalogue.append({QStringLiteral("employee-dismissed"), employee(1),
                           named(1) + QStringLiteral("dismissed on %1, type 00102 -> refused")
                                          .arg(shortDate(today.addDays(-40)))});
    plan.catalogue.append(
        {QStringLiteral("employee-month-over"), employee(2),
         named(2) + QStringLiteral("allowed only through %1, type 00103 -> refused")
                        .arg(monthYear(lastAllowed))});
    return plan;
}

ClubPlan planBranchClub(int memberCount, const QDate& today, quint32 seed) {
    QRandomGenerator random(seed);
    ClubPlan plan;
    for (int i = 0; i < memberCount; ++i) {
        DemoMember m = regularMember(random, enrollmentNumber(kFirstBranchStudent + i), today);
        if (i == 1) {
            applyPayment(m, Payment::Overdue, today);
        }
        plan.members.append(m);
    }
    // Only the second unit holds them: the own unit answers Inexistente until unit 2 is
    // chosen with Selecionar Filial (or orvalen identify --branch 2).
    const QString chooseUnit = QStringLiteral(
        ", only at Orvalen Jardim Botânico: Selecionar Filial, double click unit 2, then type "
        "the number (orvalen identify --branch 2) -> ");
    plan.catalogue.append({QStringLiteral("other-branch"), plan.members.at(0).number,
                           plan.members.at(0).name + QStringLiteral(": paid up") + chooseUnit +
                               QStringLiteral("\"Acesso Livre\", logged here with "
                                              "CODIGO_FILIAL 2 and the name")});
    plan.catalogue.append({QStringLiteral("other-branch-overdue"), plan.members.at(1).number,
                           plan.members.at(1).name + QStringLiteral(": overdue") + chooseUnit +
                               QStringLiteral("\"Sob Consulta !!!\"")});
    return plan;
}

} // namespace orvalen::demo
