#include "demo_club/demo_club.h"

#include "demo_club/cash_period.h"
#include "demo_club/club_plan.h"
#include "demo_club/club_setup.h"
#include "demo_club/demo_devices.h"
#include "demo_club/installation_files.h"
#include "demo_club/member_catalogue.h"
#include "demo_club/offerings.h"
#include "demo_club/people_writer.h"
#include "demo_club/row_writer.h"
#include "store/connection.h"
#include "store/datalink.h"
#include "store/local_settings.h"
#include "store/schema.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlQuery>
#include <atomic>
#include <functional>
#include <memory>

namespace orvalen::demo {

namespace {

using store::Error;
using store::Status;

std::unique_ptr<store::ClubConnection> openDatabase(const QString& file, const QString& origin) {
    static std::atomic<int> counter{0};
    store::ConnectionSpec spec{QStringLiteral("QSQLITE"), file,
                               store::Dialect(store::Dialect::Kind::Sqlite), origin};
    return std::make_unique<store::ClubConnection>(
        spec, QStringLiteral("orvalen-demo-%1").arg(counter++), store::OpenMode::Create);
}

// A club is there when its members or its settings are.
bool holdsClub(const store::ClubConnection& connection) {
    for (const char* table : {"AlunosAtivos", "Sacvar"}) {
        if (!connection.database().tables().contains(QLatin1String(table), Qt::CaseInsensitive)) {
            continue;
        }
        auto rows =
            connection.execute(QStringLiteral("SELECT COUNT(*) FROM %1").arg(QLatin1String(table)));
        if (rows && rows->next() && rows->value(0).toInt() > 0) {
            return true;
        }
    }
    return false;
}

// Opens (creating when needed) one database of the club with the full schema; tells whether
// it already held a club.
store::Result<bool> prepareDatabase(store::ClubConnection& connection) {
    if (Status s = connection.open(); !s) {
        return s.error();
    }
    const bool existing = holdsClub(connection);
    QSqlDatabase db = connection.database();
    if (Status s = store::createSchema(db, connection.dialect()); !s) {
        return s.error();
    }
    return existing;
}

Status writeIfMissing(const QString& file, const std::function<Status()>& write) {
    return QFileInfo::exists(file) ? Status::success() : write();
}

int countMembers(const store::ClubConnection& connection) {
    auto rows = connection.execute(QStringLiteral("SELECT COUNT(*) FROM AlunosAtivos"));
    return rows && rows->next() ? rows->value(0).toInt() : 0;
}

} // namespace

store::Result<DemoClubSummary> createDemoClub(const QString& folder,
                                              const DemoClubOptions& options) {
    if (!QDir().mkpath(folder)) {
        return Error{QStringLiteral("cannot create the folder %1").arg(folder)};
    }
    const QDir dir(folder);
    const QDate today = options.now.date();
    for (const auto& [link, database] : {std::pair{store::kMainDataLink, kMainDatabase},
                                         std::pair{store::kBranchDataLink, kBranchDatabase}}) {
        const QString file = dir.filePath(QLatin1String(link));
        const QString init =
            QStringLiteral("Provider=SQLite;Data Source=%1").arg(QLatin1String(database));
        if (Status s = writeIfMissing(file, [&] { return writeDataLinkFile(file, init); }); !s) {
            return s.error();
        }
    }
    const QString ini = dir.filePath(QStringLiteral("terminal.ini"));
    if (Status s = writeIfMissing(ini, [&] { return writeLocalSettingsFile(ini); }); !s) {
        return s.error();
    }

    DemoClubSummary summary;
    summary.businessDate = today;
    auto main = openDatabase(dir.filePath(QLatin1String(kMainDatabase)),
                             dir.filePath(QLatin1String(store::kMainDataLink)));
    const auto mainExisting = prepareDatabase(*main);
    if (!mainExisting) {
        return mainExisting.error();
    }
    summary.created = !mainExisting.value();
    if (summary.created) {
        const ClubPlan plan = planMainClub(options.members, today, options.seed);
        const Status written = main->inTransaction([&]() -> Status {
            RowWriter writer(*main);
            if (Status s = writeOfferings(writer, kMainBranchCode); !s) {
                return s;
            }
            if (Status s = writeClubSetup(writer); !s) {
                return s;
            }
            if (Status s = writePeople(writer, plan, today, kMainBranchCode); !s) {
                return s;
            }
            return writeCashHistory(*main, today, 14, QLatin1String(kOperatorCode));
        });
        if (!written) {
            return written.error();
        }
    }
    if (Status s = main->inTransaction(
            [&] { return openCashPeriod(*main, options.now, QLatin1String(kOperatorCode)); });
        !s) {
        return s.error();
    }
    summary.members = countMembers(*main);
    if (options.devices) {
        if (Status s = configureDemoDevices(*main, *options.devices); !s) {
            return s.error();
        }
    }
    QList<CatalogueEntry> fingerEntries;
    if (!options.fingers.isEmpty()) {
        const auto enrolled = enrolDemoFingers(
            *main, planMainClub(options.members, today, options.seed), options.fingers);
        if (!enrolled) {
            return enrolled.error();
        }
        fingerEntries = enrolled.value();
    }
    if (options.devices || !options.fingers.isEmpty()) {
        // What was not asked for this time stays as the club's settings file has it.
        const auto before = store::LocalSettings::load(dir.absolutePath());
        if (!before) {
            return before.error();
        }
        const QString readerLine =
            !options.devices   ? before->ports.value(QLatin1String(kReaderPort))
            : *options.devices ? dir.absoluteFilePath(QLatin1String(kReaderLineFile))
                               : QString();
        const QString fingerReader = options.fingers.isEmpty()
                                         ? before->virtualFingerReader
                                         : dir.absoluteFilePath(QLatin1String(kFingerReaderFile));
        // A Unix socket's path holds at most 107 bytes.
        if (fingerReader.toLocal8Bit().size() > 107) {
            return Error{QStringLiteral("the folder's path is too long for the fingerprint "
                                        "reader's socket %1 (at most 107 bytes)")
                             .arg(fingerReader)};
        }
        if (Status s = writeLocalSettingsFile(ini, readerLine, fingerReader); !s) {
            return s.error();
        }
    }

    auto branch = openDatabase(dir.filePath(QLatin1String(kBranchDatabase)),
                               dir.filePath(QLatin1String(store::kBranchDataLink)));
    const auto branchExisting = prepareDatabase(*branch);
    if (!branchExisting) {
        return branchExisting.error();
    }
    if (!branchExisting.value()) {
        const ClubPlan plan = planBranchClub(options.branchMembers, today, options.seed + 1);
        const Status written = branch->inTransaction([&]() -> Status {
            RowWriter writer(*branch);
            if (Status s = writeOfferings(writer, kSecondBranchCode); !s) {
                return s;
            }
            return writePeople(writer, plan, today, kSecondBranchCode);
        });
        if (!written) {
            return written.error();
        }
    }

    if (summary.created) {
        // The plans are deterministic: planning again gives the numbers just written.
        QList<CatalogueEntry> catalogue =
            planMainClub(options.members, today, options.seed).catalogue;
        catalogue += planBranchClub(options.branchMembers, today, options.seed + 1).catalogue;
        catalogue += fingerEntries;
        catalogue.append(
            {QStringLiteral("visitor"), QLatin1String(kVisitorCard),
             QStringLiteral("visitor card -> let in, logged as a visitor (F2 does the same)")});
        if (Status s =
                writeCatalogue(dir.filePath(QLatin1String(kCatalogueFile)), catalogue, today);
            !s) {
            return s.error();
        }
    }
    return summary;
}

} // namespace orvalen::demo
