#include "app/tool/doctor_command.h"

#include "activities/access_point_file.h"
#include "app/tool/doctor_contingency_checks.h"
#include "app/tool/doctor_database_checks.h"
#include "app/tool/doctor_device_checks.h"
#include "app/tool/doctor_fingerprint_checks.h"
#include "app/tool/doctor_index_checks.h"
#include "app/tool/doctor_link_advice.h"
#include "app/tool/doctor_report.h"
#include "app/tool/doctor_storage_checks.h"
#include "store/branches.h"
#include "store/connection.h"
#include "store/datalink.h"
#include "store/local_settings.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <atomic>
#include <memory>
#include <unistd.h>

namespace orvalen::tool {

namespace {

// A connection to the database a data-link file names, or nothing after reporting why not.
std::unique_ptr<store::ClubConnection> connectThrough(const QString& file,
                                                      const store::LocalSettings& local,
                                                      const QString& fix, DoctorReport& report) {
    static std::atomic<int> counter{0};
    const auto spec = store::connectionSpecFromFile(file, local);
    if (!spec) {
        report.problem(spec.error().message, dataLinkFix(file, fix));
        return nullptr;
    }
    // Opening a missing SQLite file would create an empty database instead of failing.
    if (spec->driver == QLatin1String("QSQLITE") && !QFileInfo::exists(spec->databaseName)) {
        report.problem(
            QStringLiteral("the database file %1 named by %2 does not exist")
                .arg(spec->databaseName, file),
            QStringLiteral("correct Data Source in %1, or create the demo club with `orvalen demo "
                           "create DIR`")
                .arg(file));
        return nullptr;
    }
    auto connection = std::make_unique<store::ClubConnection>(
        spec.value(), QStringLiteral("orvalen-doctor-%1").arg(counter++),
        store::OpenMode::ReadOnly);
    if (const store::Status opened = connection->open(); !opened) {
        report.problem(opened.error().message, openFix(spec.value(), file));
        return nullptr;
    }
    report.fact(QStringLiteral("%1: %2 database %3")
                    .arg(QFileInfo(file).fileName(),
                         spec->driver == QLatin1String("QSQLITE") ? QStringLiteral("SQLite")
                                                                  : QStringLiteral("SQL Server"),
                         spec->databaseName.section(QLatin1Char(';'), 0, 1)));
    return connection;
}

// The terminal saves Acesso.txt and rewrites OrvalenFilial.udl through a new file in the
// data-link folder, so the user running it must be able to create files there. access(2)
// answers for this user, read-only mounts included, where the mode bits would not.
void checkFolderWritable(const QString& folder, DoctorReport& report) {
    if (access(QFile::encodeName(folder).constData(), W_OK | X_OK) == 0) {
        return;
    }
    const QString user = runningUser();
    report.problem(
        QStringLiteral("user %1 cannot write the data-link folder %2: the activity dialog "
                       "cannot save %3 there, and choosing a branch cannot rewrite %4")
            .arg(user, folder, QLatin1String(activities::kAccessPointFileName),
                 QLatin1String(store::kBranchDataLink)),
        QStringLiteral("let %1 write %2 (for example `chown %1 %2`), or run the terminal as a "
                       "user who can")
            .arg(user, folder));
}

void examine(const QString& folder, const QDate& today, DoctorReport& report) {
    if (!QFileInfo(folder).isDir()) {
        report.problem(QStringLiteral("the data-link folder %1 does not exist").arg(folder),
                       QStringLiteral("create it with the data-link files, or name another with "
                                      "--datalink-dir DIR or ORVALEN_DATALINK_DIR"));
        return;
    }
    checkFolderWritable(folder, report);
    const auto local = store::LocalSettings::load(folder);
    if (!local) {
        report.problem(local.error().message,
                       QStringLiteral("correct terminal.ini in %1").arg(folder));
        return;
    }
    checkContingency(local.value(), QDateTime::currentDateTime(), report);
    const QDir dir(folder);
    const QString mainLink = dir.filePath(QLatin1String(store::kMainDataLink));
    const auto main = connectThrough(
        mainLink, local.value(),
        QStringLiteral(
            "write %1 with the club database's provider and data source, for example "
            "\"Provider=SQLite;Data Source=club.db\" or a SQL Server provider (SQLOLEDB.1)")
            .arg(mainLink),
        report);
    if (!main) {
        return;
    }
    checkDatabaseFile(*main, report);
    const ClubFacts facts = checkClubDatabase(*main, today, report);
    checkDevices(*main, local.value(), report);
    checkAccessPointCodes(*main, local.value(), report);
    checkFingerprintTemplates(*main, report);
    checkLookupIndexes(*main, report);

    const QString branchLink = dir.filePath(QLatin1String(store::kBranchDataLink));
    if (QFileInfo::exists(branchLink)) {
        if (const auto branch = connectThrough(
                branchLink, local.value(),
                QStringLiteral("correct %1; it names a branch's database").arg(branchLink),
                report)) {
            checkTables(*branch, QStringLiteral("branch database"), store::branchTables(), report);
        }
    } else if (facts.hasBranches) {
        report.problem(
            QStringLiteral("%1 is missing, while Filial lists branches: choosing one shows "
                           "\"OrvalenFilial.udl inexistente\"")
                .arg(branchLink),
            QStringLiteral("copy Orvalen.udl to %1; the terminal rewrites its data source when a "
                           "branch is chosen")
                .arg(branchLink));
    }

    const QString portalLink = dir.filePath(QLatin1String(store::kPortalDataLink));
    if (QFileInfo::exists(portalLink)) {
        if (const auto portal =
                connectThrough(portalLink, local.value(),
                               QStringLiteral("correct %1; it names the class-booking portal's "
                                              "database")
                                   .arg(portalLink),
                               report)) {
            checkTables(*portal, QStringLiteral("class-booking portal database"),
                        {QStringLiteral("FrequenciaAula"), QStringLiteral("AulasColetivas")},
                        report);
        }
    } else if (facts.portalBookings) {
        report.problem(
            QStringLiteral("%1 is missing, while Sacvar2.AgendamentoAulaPortal is \"Sim\"")
                .arg(portalLink),
            QStringLiteral("write %1 for the class-booking portal's database, or set "
                           "AgendamentoAulaPortal to \"Não\"")
                .arg(portalLink));
    }
}

} // namespace

int doctorCommand(CommandContext& context) {
    QStringList args = context.arguments;
    for (const QString& arg : args) {
        if (arg.startsWith(QLatin1String("--")) && arg != QLatin1String("--datalink-dir") &&
            !arg.startsWith(QLatin1String("--datalink-dir="))) {
            context.err << "usage: orvalen doctor [--datalink-dir DIR]\n";
            return 2;
        }
    }
    const int at = args.indexOf(QStringLiteral("--datalink-dir"));
    if (at >= 0 && at + 1 >= args.size()) {
        context.err << "orvalen doctor: --datalink-dir needs a folder\n";
        return 2;
    }
    const QString folder = QDir(store::dataLinkFolder(args)).absolutePath();
    DoctorReport report;
    examine(folder, QDate::currentDate(), report);
    report.print(context.out, folder);
    context.out.flush();
    return report.healthy() ? 0 : 1;
}

} // namespace orvalen::tool
