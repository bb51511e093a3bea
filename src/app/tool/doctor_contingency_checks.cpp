#include "app/tool/doctor_contingency_checks.h"

#include "contingency/copy_file.h"

#include <QFileInfo>

namespace orvalen::tool {

void checkContingency(const store::LocalSettings& local, const QDateTime& now,
                      DoctorReport& report) {
    const store::ContingencySettings& settings = local.contingency;
    if (!settings.problem.isEmpty()) {
        report.problem(settings.problem + QStringLiteral(": contingency stays off"),
                       QStringLiteral("correct [contingency] in terminal.ini"));
        return;
    }
    if (!settings.enabled) {
        report.fact(QStringLiteral("contingency: off"));
        return;
    }
    const QString refresh = QStringLiteral("run `orvalen contingency refresh` while the club "
                                           "database answers; the terminal refreshes it every "
                                           "%1 minutes while it runs")
                                .arg(settings.refreshMinutes);
    if (!QFileInfo::exists(settings.copyPath)) {
        // A new installation: the terminal takes the first copy when it starts.
        report.fact(QStringLiteral("contingency: on, no copy at %1 yet (the terminal takes one "
                                   "when it starts; `orvalen contingency refresh` takes one now)")
                        .arg(settings.copyPath));
        return;
    }
    const auto info = contingency::readCopyInfo(settings.copyPath);
    if (!info.ok()) {
        report.problem(info.error().message, refresh);
        return;
    }
    const qint64 hours = info->takenAt.secsTo(now) / 3600;
    report.fact(
        QStringLiteral("contingency: on, copy %1 of %2 (%3 h old), %4 MB, %5 writes "
                       "waiting to be replayed")
            .arg(settings.copyPath, info->takenAt.toString(QStringLiteral("dd/MM/yyyy HH:mm")))
            .arg(hours)
            .arg(static_cast<double>(info->bytes) / (1024.0 * 1024.0), 0, 'f', 1)
            .arg(info->waiting));
    if (!contingency::youngEnough(info->takenAt, now, settings.maxAgeHours)) {
        report.problem(QStringLiteral("the contingency copy %1 is %2 h old, older than "
                                      "max_age_hours=%3: while the club database is away nobody "
                                      "gets in")
                           .arg(settings.copyPath)
                           .arg(hours)
                           .arg(settings.maxAgeHours),
                       refresh);
    }
    if (info->waiting > 0) {
        report.problem(QStringLiteral("%1 access-log writes made while the club database was "
                                      "away are not in it yet")
                           .arg(info->waiting),
                       QStringLiteral("run `orvalen contingency replay` once the club database "
                                      "answers"));
    }
}

} // namespace orvalen::tool
