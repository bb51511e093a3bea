#include "demo_club/member_cases.h"

#include "demo_club/offerings.h"
#include "demo_club/payment_patterns.h"

namespace orvalen::demo {

void joinClass(DemoMember& m, const QString& code) {
    m.classes << code;
    for (const WeeklyClass& weekly : weeklyClasses()) {
        if (weekly.code == code && !m.activities.contains(weekly.activity)) {
            m.activities << weekly.activity;
        }
    }
}

QList<MemberCase> memberCases(const QDate& today) {
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
    auto gympass = [today](bool released) {
        return [today, released](DemoMember& m, ClubPlan& plan) {
            applyPayment(m, Payment::None, today);
            m.fee = QLatin1String(kGympassFee);
            m.plan.clear();
            m.gympass = true;
            if (released) {
                plan.gympassReleases << m.number;
            }
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
         [](DemoMember& m, ClubPlan&) { joinClass(m, QLatin1String(kAllDayClass)); }},
        {QStringLiteral("class-out-of-hours"),
         QStringLiteral("only class %1 does not run today -> \"Fora de Hora !!!\"").arg(outOfHours),
         [outOfHours](DemoMember& m, ClubPlan&) { joinClass(m, outOfHours); }},
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
         gympass(true)},
        {QStringLiteral("gympass-released"),
         QStringLiteral("Gympass member released for %1 -> \"Acesso Livre\" once").arg(day),
         gympass(true)},
        {QStringLiteral("gympass-not-released"),
         QStringLiteral("Gympass member without a release -> "
                        "\"Solicitar Liberação da Catraca !!!\""),
         gympass(false)},
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

} // namespace orvalen::demo
