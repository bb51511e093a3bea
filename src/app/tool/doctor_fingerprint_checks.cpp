#include "app/tool/doctor_fingerprint_checks.h"

#include "biometrics/finger_galleries.h"
#include "store/settings.h"

#include <QStringList>
#include <functional>

namespace orvalen::tool {

namespace {

// Enough numbers to find the people at the desk; the count says how many there are.
constexpr qsizetype kNumbersShown = 10;

QString members(const QStringList& matriculas) {
    QStringList shown = matriculas.mid(0, kNumbersShown);
    if (matriculas.size() > kNumbersShown) {
        shown << QStringLiteral("…");
    }
    return shown.join(QStringLiteral(", "));
}

// "AlunosAtivos.DIGITAL: 2 (0000010001, 0000010002)" for each column with such templates.
QStringList perColumn(const std::vector<biometrics::UnusableTemplates>& columns,
                      const std::function<QStringList(const biometrics::UnusableTemplates&)>& of) {
    QStringList lines;
    for (const biometrics::UnusableTemplates& column : columns) {
        const QStringList matriculas = of(column);
        if (!matriculas.isEmpty()) {
            lines << QStringLiteral("%1.%2: %3 (%4)")
                         .arg(column.table, column.column)
                         .arg(matriculas.size())
                         .arg(members(matriculas));
        }
    }
    return lines;
}

} // namespace

void checkFingerprintTemplates(const store::ClubConnection& connection, DoctorReport& report) {
    const auto found = biometrics::findUnusableTemplates(connection);
    if (!found.ok()) {
        report.problem(QStringLiteral("the fingerprint templates cannot be read: %1")
                           .arg(found.error().message),
                       QStringLiteral("check the DIGITAL and Digital_Persona columns of "
                                      "AlunosAtivos, Alunos and Funcionarios"));
        return;
    }
    const QStringList foreign =
        perColumn(found.value(), [](const biometrics::UnusableTemplates& c) { return c.foreign; });
    const QStringList broken = perColumn(
        found.value(), [](const biometrics::UnusableTemplates& c) { return c.damaged + c.empty; });
    const QStringList oversized = perColumn(
        found.value(), [](const biometrics::UnusableTemplates& c) { return c.oversized; });
    const auto sacvar2 = store::SettingsRow::load(connection, QStringLiteral("Sacvar2"));
    const bool readerOn = sacvar2.ok() && sacvar2->isSim(QStringLiteral("LEITOR_BIOMETRICO"));
    const QString enrolAgain =
        QStringLiteral("enrol their fingers again at this terminal's fingerprint capture screen");
    const auto tell = [&](const QString& what) {
        if (readerOn) {
            report.problem(what + QStringLiteral(": those people are not identified by finger"),
                           enrolAgain);
        } else {
            report.fact(what);
        }
    };
    if (!foreign.isEmpty()) {
        tell(QStringLiteral("fingerprint templates written by another platform's reader "
                            "software, which this terminal cannot match (%1)")
                 .arg(foreign.join(QStringLiteral(", "))));
    }
    if (!oversized.isEmpty()) {
        tell(QStringLiteral("fingerprint templates longer than %1 characters, which this "
                            "terminal refuses to load (%2)")
                 .arg(biometrics::kLargestTemplateText)
                 .arg(oversized.join(QStringLiteral(", "))));
    }
    if (!broken.isEmpty()) {
        tell(QStringLiteral("fingerprint templates that are damaged or empty, which this "
                            "terminal cannot match (%1)")
                 .arg(broken.join(QStringLiteral(", "))));
    }
}

} // namespace orvalen::tool
