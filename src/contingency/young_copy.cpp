#include "contingency/young_copy.h"

#include <QFileInfo>

namespace orvalen::contingency {

store::Result<CopyInUse> openYoungCopy(const store::ContingencySettings& settings,
                                       const QDateTime& now, const QString& connectionName) {
    if (!settings.enabled) {
        return store::Error{settings.problem.isEmpty()
                                ? QStringLiteral("contingency is off in terminal.ini")
                                : settings.problem};
    }
    if (!QFileInfo::exists(settings.copyPath)) {
        return store::Error{
            QStringLiteral("there is no contingency copy at %1").arg(settings.copyPath)};
    }
    auto copy = openCopy(settings.copyPath, connectionName);
    if (!copy.ok()) {
        return copy.error();
    }
    auto info = readCopyInfo(*copy.value(), settings.copyPath);
    if (!info.ok()) {
        return info.error();
    }
    if (!youngEnough(info->takenAt, now, settings.maxAgeHours)) {
        return store::Error{
            QStringLiteral("the contingency copy %1 of %2 is older than "
                           "max_age_hours=%3")
                .arg(settings.copyPath, info->takenAt.toString(QStringLiteral("dd/MM/yyyy HH:mm")))
                .arg(settings.maxAgeHours)};
    }
    return CopyInUse{std::move(copy).value(), info.value()};
}

QString awayStripText(const QDateTime& takenAt) {
    return QStringLiteral("Sem conexão com o banco — decisões pela cópia de %1")
        .arg(takenAt.toString(QStringLiteral("dd/MM HH:mm")));
}

} // namespace orvalen::contingency
