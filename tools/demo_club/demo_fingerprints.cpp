#include "demo_club/demo_fingerprints.h"

#include "store/fingerprint_templates.h"

namespace orvalen::demo {

store::Result<QList<CatalogueEntry>> enrolDemoFingers(const store::ClubConnection& main,
                                                      const ClubPlan& plan,
                                                      const QList<DemoFinger>& fingers) {
    if (plan.plainPaidUp.size() < fingers.size()) {
        return store::Error{QStringLiteral("the demo club has %1 plain paid-up members, too few "
                                           "for its %2 sample fingers: give more --members")
                                .arg(plan.plainPaidUp.size())
                                .arg(fingers.size())};
    }
    QList<CatalogueEntry> entries;
    const store::Status written = main.inTransaction([&]() -> store::Status {
        for (qsizetype i = 0; i < fingers.size(); ++i) {
            const QString& number = plan.plainPaidUp[i];
            const store::Status stored =
                store::fingerprints::QRYGRAVADIGITAL(main, {QStringLiteral("ALUNOSATIVOS"), number},
                                                     fingers[i].digital, fingers[i].persona);
            if (!stored.ok()) {
                return stored;
            }
            QString name;
            for (const DemoMember& member : plan.members) {
                if (member.number == number) {
                    name = member.name;
                }
            }
            entries.append({QStringLiteral("fingerprint"), number,
                            name + QStringLiteral(": finger ") + fingers[i].sample});
        }
        const auto settings = main.execute(
            QStringLiteral("UPDATE Sacvar2 SET LEITOR_BIOMETRICO = :SIM, Tipo_Leitor = '1', "
                           "MATRICULADIGITAL = :NAO"),
            {{QStringLiteral(":SIM"), QStringLiteral("Sim")},
             {QStringLiteral(":NAO"), QStringLiteral("Não")}});
        return settings.ok() ? store::Status::success() : store::Status(settings.error());
    });
    if (!written.ok()) {
        return written.error();
    }
    return entries;
}

} // namespace orvalen::demo
