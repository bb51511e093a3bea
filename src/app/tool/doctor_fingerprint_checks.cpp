#include "app/tool/doctor_fingerprint_checks.h"

#include "biometrics/finger_galleries.h"
#include "store/settings.h"

#include <QStringList>

namespace orvalen::tool {

void checkFingerprintTemplates(const store::ClubConnection& connection, DoctorReport& report) {
    const auto counts = biometrics::countForeignTemplates(connection);
    if (!counts.ok()) {
        report.problem(QStringLiteral("the fingerprint templates cannot be read: %1")
                           .arg(counts.error().message),
                       QStringLiteral("check the DIGITAL and Digital_Persona columns of "
                                      "AlunosAtivos, Alunos and Funcionarios"));
        return;
    }
    QStringList foreign;
    for (const biometrics::ForeignTemplates& column : counts.value()) {
        if (column.count > 0) {
            foreign
                << QStringLiteral("%1.%2: %3").arg(column.table, column.column).arg(column.count);
        }
    }
    if (foreign.isEmpty()) {
        return;
    }
    const QString what =
        QStringLiteral("fingerprint templates written by another platform's reader software, "
                       "which this terminal cannot match (%1)")
            .arg(foreign.join(QStringLiteral(", ")));
    const auto sacvar2 = store::SettingsRow::load(connection, QStringLiteral("Sacvar2"));
    if (sacvar2.ok() && sacvar2->isSim(QStringLiteral("LEITOR_BIOMETRICO"))) {
        report.problem(what + QStringLiteral(": those people are not identified by finger"),
                       QStringLiteral("enrol their fingers again at this terminal's fingerprint "
                                      "capture screen"));
    } else {
        report.fact(what);
    }
}

} // namespace orvalen::tool
