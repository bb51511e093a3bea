#include "demo_club/club_plan.h"

#include "demo_club/offerings.h"
#include "demo_club/payment_patterns.h"
#include "demo_club/portuguese_names.h"

#include <QRandomGenerator>
#include <algorithm>
#include <functional>

namespace orvalen::demo {

namespace {

constexpr qint64 kFirstStudent = 10001;
constexpr qint64 kFirstFormerStudent = 30001;
constexpr qint64 kFirstBranchStudent = 50001;

QString shortDate(const QDate& date) {
    return date.toString(QStringLiteral("dd/MM/yyyy"));
}
QString monthYear(const QDate& date) {
    return date.toString(QStringLiteral("MM/yyyy"));
}

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

void addClass(DemoMember& m, const QString& code) {
    m.classes << code;
    for (const WeeklyClass& weekly : weeklyClasses()) {
        if (weekly.code == code && !m.activities.contains(weekly.activity)) {
            m.activities << weekly.activity;
        }
    }
}

// One famous case: how it differs from a regular paying member and what the terminal says.
struct Case {
    QString situation;
    QString description;
    std::function<void(DemoMember&, ClubPlan&)> shape;
};

QList<Case> mainCases(const QDate& today) {
    const QString day = shortDate(today);
    const QDate previous = today.addMonths(-1);
    const QDate next = today.addMonths(1);
    auto payment = [today](Payment p) {
        return [today, p](DemoMember& m, ClubPlan&) { applyPayment(m, p, today); };
    };
    auto booking = [today](const QString& activity, int code) {
        return [today, activity, code](DemoMember& m, ClubPlan& plan) {
            plan.bookings.append({m.number, today, code, activity});
        };
    };
    const QString outOfHours = classNotRunningOn(today);
    return {
        {QStringLiteral("paid"),
         QStringLiteral("monthly fee paid for %1 -> \"Acesso Livre\"").arg(monthYear(today)),
         payment(Payment::UpToDate)},
        {QStringLiteral("paid"),
         QStringLiteral("annual plan, paid up -> \"Acesso Livre\" with \"Plano\""),
         [](DemoMember& m, ClubPlan&) { m.plan = QLatin1String(kAnnualPlan); }},
        {QStringLiteral("within-tolerance"),
         QStringLiteral("%1 unpaid, due day passed less than %2 days ago -> \"Acesso Livre\"")
             .arg(monthYear(today))
             .arg(kToleranceDays),
         payment(Payment::WithinTolerance)},
        {QStringLiteral("overdue"),
         QStringLiteral("%1 and %2 unpaid -> \"Sob Consulta !!!\"")
             .arg(monthYear(previous), monthYear(today)),
         payment(Payment::Overdue)},
        {QStringLiteral("overdue"),
         QStringLiteral("overdue, with a discount -> \"Sob Consulta !!!\""),
         [today](DemoMember& m, ClubPlan&) {
             applyPayment(m, Payment::Overdue, today);
             m.discount = 15;
         }},
        {QStringLiteral("paid-ahead"),
         QStringLiteral("%1 paid ahead, %2 not -> \"Acesso Livre\"")
             .arg(monthYear(next), monthYear(today)),
         payment(Payment::PaidAhead)},
        {QStringLiteral("locked"),
         QStringLiteral("enrollment locked since %1 -> \"Matrícula Trancada !!!\"")
             .arg(shortDate(today.addDays(-10))),
         [today](DemoMember& m, ClubPlan&) { m.locked = today.addDays(-10); }},
        {QStringLiteral("transfer"),
         QStringLiteral("transfer period until %1, no receipts -> \"Acesso Livre\"")
             .arg(shortDate(today.addDays(20))),
         [today](DemoMember& m, ClubPlan&) {
             applyPayment(m, Payment::None, today);
             m.transferUntil = today.addDays(20);
         }},
        {QStringLiteral("transfer-over"),
         QStringLiteral("transfer period ended %1 -> \"Fim de Repasse !!!\"")
             .arg(shortDate(today.addDays(-3))),
         [today](DemoMember& m, ClubPlan&) { m.transferUntil = today.addDays(-3); }},
        {QStringLiteral("scholarship"),
         QStringLiteral("scholarship valid until %1, no receipts -> \"Acesso Livre\"")
             .arg(shortDate(today.addDays(90))),
         [today](DemoMember& m, ClubPlan&) {
             applyPayment(m, Payment::None, today);
             m.scholar = true;
             m.scholarshipUntil = today.addDays(90);
         }},
        {QStringLiteral("scholarship"),
         QStringLiteral("scholarship without end -> \"Acesso Livre\""),
         [today](DemoMember& m, ClubPlan&) {
             applyPayment(m, Payment::None, today);
             m.scholar = true;
         }},
        {QStringLiteral("scholarship-over"),
         QStringLiteral("scholarship ended %1 -> \"Fora Validade !!!\"")
             .arg(shortDate(today.addDays(-1))),
         [today](DemoMember& m, ClubPlan&) {
             m.scholar = true;
             m.scholarshipUntil = today.addDays(-1);
         }},
        {QStringLiteral("free-access"),
         QStringLiteral(
             "courtesy fee with free access, no receipts -> \"Acesso Livre\", no due date"),
         [today](DemoMember& m, ClubPlan&) {
             applyPayment(m, Payment::None, today);
             m.fee = QLatin1String(kFreeAccessFee);
             m.plan.clear();
         }},
        {QStringLiteral("record-hold"),
         QStringLiteral("hold on the record -> \"Pendência no Cadastro\""),
         [](DemoMember& m, ClubPlan&) { m.hold = true; }},
        {QStringLiteral("pending-balance"),
         QStringLiteral(
             "pending balance of R$ 89,90 -> \"Procure a recepção\", then \"Acesso Livre\""),
         [](DemoMember& m, ClubPlan&) { m.pending = 89.90; }},
        {QStringLiteral("medical-expired"),
         QStringLiteral("medical assessment of %1 expired -> \"Médica Vencida !!!\", \"Avaliação "
                        "Bloqueada !!!\"")
             .arg(shortDate(today.addMonths(-14))),
         [today](DemoMember& m, ClubPlan&) { m.medical = today.addMonths(-14); }},
        {QStringLiteral("functional-expired"),
         QStringLiteral("functional assessment of %1 expired -> \"Funcional Vencida !!!\", then "
                        "\"Acesso Livre\"")
             .arg(shortDate(today.addMonths(-13))),
         [today](DemoMember& m, ClubPlan&) { m.functional = today.addMonths(-13); }},
        {QStringLiteral("class-in-hours"),
         QStringLiteral("class %1 runs all day, every day -> \"Acesso Livre\"")
             .arg(QLatin1String(kAllDayClass)),
         [](DemoMember& m, ClubPlan&) { addClass(m, QLatin1String(kAllDayClass)); }},
        {QStringLiteral("class-out-of-hours"),
         QStringLiteral("only class %1 does not run today -> \"Fora de Hora !!!\"").arg(outOfHours),
         [outOfHours](DemoMember& m, ClubPlan&) { addClass(m, outOfHours); }},
        {QStringLiteral("booked-class"),
         QStringLiteral("booked today's spinning class, takes spinning -> \"Acesso Livre\""),
         [booking](DemoMember& m, ClubPlan& plan) {
             m.activities << QStringLiteral("03");
             booking(groupClasses().at(0).activity, groupClasses().at(0).code)(m, plan);
         }},
        {QStringLiteral("booked-wrong-activity"),
         QStringLiteral("booked today's pilates class, does not take pilates -> \"Atividade "
                        "Agendada Incorreta !!!\""),
         [booking](DemoMember& m, ClubPlan& plan) {
             m.activities = {activityCodes().first()};
             booking(groupClasses().at(1).activity, groupClasses().at(1).code)(m, plan);
         }},
        {QStringLiteral("gympass-released"),
         QStringLiteral("Gympass member released for %1 -> \"Acesso Livre\" once").arg(day),
         [today](DemoMember& m, ClubPlan& plan) {
             applyPayment(m, Payment::None, today);
             m.fee = QLatin1String(kGympassFee);
             m.plan.clear();
             m.gympass = true;
             plan.gympassReleases << m.number;
         }},
        {QStringLiteral("gympass-released"),
         QStringLiteral("Gympass member released for %1 -> \"Acesso Livre\" once").arg(day),
         [today](DemoMember& m, ClubPlan& plan) {
             applyPayment(m, Payment::None, today);
             m.fee = QLatin1String(kGympassFee);
             m.plan.clear();
             m.gympass = true;
             plan.gympassReleases << m.number;
         }},
        {QStringLiteral("gympass-not-released"),
         QStringLiteral(
             "Gympass member without a release -> \"Solicitar Liberação da Catraca !!!\""),
         [today](DemoMember& m, ClubPlan&) {
             applyPayment(m, Payment::None, today);
             m.fee = QLatin1String(kGympassFee);
             m.plan.clear();
             m.gympass = true;
         }},
        {QStringLiteral("birthday"),
         QStringLiteral("birthday today -> \"Parabéns !!!\", then \"Acesso Livre\""),
         [today](DemoMember& m, ClubPlan&) {
             m.birth = QDate(today.year() - 28, today.month(), today.day());
             if (!m.birth.isValid()) {
                 m.birth = QDate(1996, today.month(), today.day()); // born on a 29 February
             }
         }},
        {QStringLiteral("personal-message"),
         QStringLiteral(
             "personal message -> \"Renovar o plano até dia 30\", then \"Acesso Livre\""),
         [](DemoMember& m, ClubPlan&) {
             m.message = QStringLiteral("Renovar o plano até dia 30");
         }},
        {QStringLiteral("left-club"),
         QStringLiteral("left the club on %1 -> \"Inativo !!!\"")
             .arg(shortDate(today.addDays(-20))),
         [today](DemoMember& m, ClubPlan&) { m.left = today.addDays(-20); }},
    };
}

} // namespace

QString enrollmentNumber(qint64 value) {
    return QStringLiteral("%1").arg(value, 10, 10, QLatin1Char('0'));
}

ClubPlan planMainClub(int memberCount, const QDate& today, quint32 seed) {
    QRandomGenerator random(seed);
    ClubPlan plan;
    qint64 next = kFirstStudent;
    for (const Case& c : mainCases(today)) {
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
            addClass(m, QLatin1String(kAllDayClass));
        } else if (classRoll < 20) {
            addClass(m,
                     weeklyClasses().at(1 + random.bounded(int(weeklyClasses().size()) - 1)).code);
        }
        if (random.bounded(100) < 5) {
            // Booked on an earlier day: history for the booking tables.
            plan.bookings.append({m.number, today.addDays(-1 - random.bounded(6)), 1,
                                  groupClasses().at(0).activity});
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

    const QDate lastAllowed = today.addMonths(-2);
    plan.employees = {
        {QStringLiteral("0000000101"),
         portugueseName(random),
         QStringLiteral("Professor"),
         QDate(1985, 4, 12),
         {},
         {},
         colourFor(random)},
        {QStringLiteral("0000000102"),
         portugueseName(random),
         QStringLiteral("Recepcionista"),
         QDate(1990, 9, 3),
         today.addDays(-40),
         {},
         colourFor(random)},
        {QStringLiteral("0000000103"),
         portugueseName(random),
         QStringLiteral("Estagiário"),
         QDate(2001, 1, 22),
         {},
         monthYear(lastAllowed),
         colourFor(random)},
        {QStringLiteral("9100000104"),
         portugueseName(random),
         QStringLiteral("Gerente"),
         QDate(1979, 11, 30),
         {},
         monthYear(today),
         colourFor(random)},
        {QStringLiteral("0000000105"),
         portugueseName(random),
         QStringLiteral("Nutricionista"),
         QDate(1988, 6, 17),
         {},
         {},
         colourFor(random)},
        {QStringLiteral("0000000106"),
         portugueseName(random),
         QStringLiteral("Professor"),
         QDate(1993, 2, 8),
         {},
         {},
         colourFor(random)},
        {QStringLiteral("0000000107"),
         portugueseName(random),
         QStringLiteral("Limpeza"),
         QDate(1975, 8, 25),
         {},
         {},
         colourFor(random)},
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
    plan.catalogue.append(
        {QStringLiteral("other-branch"), plan.members.at(0).number,
         plan.members.at(0).name +
             QStringLiteral(
                 ": member of Orvalen Jardim Botânico, paid up -> choose branch 2 first, "
                 "then \"Acesso Livre\"; without it \"Inexistente !!!\"")});
    plan.catalogue.append(
        {QStringLiteral("other-branch-overdue"), plan.members.at(1).number,
         plan.members.at(1).name + QStringLiteral(": member of Orvalen Jardim Botânico, overdue -> "
                                                  "branch 2, \"Sob Consulta !!!\"")});
    return plan;
}

} // namespace orvalen::demo
