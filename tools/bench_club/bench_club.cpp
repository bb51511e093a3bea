#include "bench_club/bench_club.h"

#include "bench_club/bench_fingers.h"
#include "bench_club/bench_history.h"
#include "bench_club/bench_members.h"
#include "demo_club/club_plan.h"
#include "demo_club/club_setup.h"
#include "demo_club/demo_club.h"
#include "store/datalink.h"

#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>
#include <algorithm>

namespace orvalen::bench {

namespace {

using store::Error;
using store::Status;

// The demo club's own members come first: the situations of its catalogue stay at hand.
constexpr int kDemoMembers = 400;
constexpr int kDemoFormerMembers = 15;

int demoMembers(const BenchClubOptions& options) {
    return std::min(kDemoMembers, options.activeMembers);
}

qint64 count(const store::ClubConnection& connection, const QString& table) {
    auto rows = connection.execute(QStringLiteral("SELECT COUNT(*) FROM %1").arg(table));
    return rows && rows->next() ? rows->value(0).toLongLong() : 0;
}

Status grow(const store::ClubConnection& connection, const BenchClubOptions& options,
            const BenchProgress& progress) {
    QRandomGenerator random(options.seed);
    const QDate today = options.now.date();
    const int generated = options.activeMembers - demoMembers(options);
    const QStringList classes = generatedClassCodes(options.classes);
    if (Status s = writeClasses(connection, classes, random, progress); !s) {
        return s;
    }
    if (Status s = writeActiveMembers(connection, generated, options.photos, classes, today, random,
                                      progress);
        !s) {
        return s;
    }
    const qint64 receiptsLeft =
        std::max<qint64>(0, options.receipts - count(connection, QStringLiteral("RECEB")));
    const int former =
        std::max(0, options.totalMembers - options.activeMembers - kDemoFormerMembers);
    if (former > 0) {
        if (Status s =
                writeFormerMembers(connection, former, receiptsLeft, today, random, progress);
            !s) {
            return s;
        }
    }
    if (Status s = writeAccessHistory(connection, options.history, today, random, progress); !s) {
        return s;
    }
    if (Status s =
            writeTodaysAccesses(connection, options.todayRows, options.now, random, progress);
        !s) {
        return s;
    }
    QStringList enrolled;
    for (int i = 0; i < std::min(options.fingers, generated); ++i) {
        enrolled << demo::enrollmentNumber(kFirstActiveMember + i);
    }
    return enrolFingers(connection, enrolled, random, progress);
}

} // namespace

Status checkBenchClubOptions(const BenchClubOptions& options) {
    if (options.activeMembers < kDemoMembers) {
        return Error{QStringLiteral("--active must be at least %1 (the demo club's own members)")
                         .arg(kDemoMembers)};
    }
    if (options.totalMembers < options.activeMembers + kDemoFormerMembers) {
        return Error{QStringLiteral("--total (%1) must be at least --active (%2) and the demo "
                                    "club's %3 former members")
                         .arg(options.totalMembers)
                         .arg(options.activeMembers)
                         .arg(kDemoFormerMembers)};
    }
    if (options.fingers > options.activeMembers - kDemoMembers) {
        return Error{QStringLiteral("--fingers (%1) must be at most the generated active members "
                                    "(--active less the demo's %2)")
                         .arg(options.fingers)
                         .arg(kDemoMembers)};
    }
    if (options.receipts < 0 || options.history < 0 || options.todayRows < 0 ||
        options.classes < 0 || options.photos < 0 || options.fingers < 0) {
        return Error{QStringLiteral("sizes cannot be negative")};
    }
    return Status::success();
}

store::Result<BenchClubSummary> createBenchClub(const QString& folder,
                                                const BenchClubOptions& options,
                                                const BenchProgress& progress) {
    if (Status s = checkBenchClubOptions(options); !s) {
        return s.error();
    }
    const QDir dir(folder);
    const QString database = dir.filePath(QLatin1String(demo::kMainDatabase));
    if (QFileInfo::exists(database)) {
        return Error{QStringLiteral("%1 already holds a club (%2): the generator writes a new one "
                                    "into an empty folder")
                         .arg(folder, database)};
    }
    demo::DemoClubOptions demoOptions;
    demoOptions.members = demoMembers(options);
    demoOptions.now = options.now;
    demoOptions.seed = options.seed;
    if (progress) {
        progress(QStringLiteral("demo club"), 0, 1);
    }
    if (auto created = demo::createDemoClub(folder, demoOptions); !created.ok()) {
        return created.error();
    }
    store::ConnectionSpec spec{QStringLiteral("QSQLITE"),
                               database,
                               store::Dialect(store::Dialect::Kind::Sqlite),
                               database,
                               {}};
    store::ClubConnection connection(spec, QStringLiteral("orvalen-bench-club"));
    if (Status s = connection.open(); !s) {
        return s.error();
    }
    // A new file that nobody else uses: no journal to keep while millions of rows go in.
    connection.execute(QStringLiteral("PRAGMA journal_mode = OFF"));
    connection.execute(QStringLiteral("PRAGMA synchronous = OFF"));
    const Status grown =
        connection.inTransaction([&] { return grow(connection, options, progress); });
    connection.execute(QStringLiteral("PRAGMA journal_mode = DELETE"));
    if (!grown.ok()) {
        return grown.error();
    }
    // Fresh statistics let the query planner choose the lookup indexes.
    if (auto analysed = connection.execute(QStringLiteral("ANALYZE")); !analysed.ok()) {
        return analysed.error();
    }
    BenchClubSummary summary;
    summary.activeMembers = int(count(connection, QStringLiteral("AlunosAtivos")));
    summary.totalMembers = int(count(connection, QStringLiteral("Alunos")));
    summary.receipts = count(connection, QStringLiteral("RECEB"));
    summary.history = count(connection, QStringLiteral("Acesso"));
    auto fingers = connection.execute(
        QStringLiteral("SELECT COUNT(*) FROM Alunos WHERE Digital_Persona IS NOT NULL"));
    summary.fingers = fingers && fingers->next() ? fingers->value(0).toInt() : 0;
    return summary;
}

} // namespace orvalen::bench
