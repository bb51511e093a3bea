#include "load/load_club.h"

#include "activities/access_point_file.h"
#include "demo_club/demo_club.h"
#include "desk/club_database.h"
#include "store/connection.h"

#include <QDir>
#include <QFile>
#include <QSqlRecord>
#include <algorithm>
#include <memory>

namespace orvalen::load {

namespace {

const QStringList kLogTables{QStringLiteral("AcessoDia"), QStringLiteral("Acesso"),
                             QStringLiteral("AcessoFuncionarios"),
                             QStringLiteral("AcessoVisitantes")};

store::Result<std::unique_ptr<store::ClubConnection>> openClub(const QString& folder) {
    auto club = desk::openClubDatabase(folder, QStringLiteral("orvalen-load-club"));
    if (!club.ok()) {
        return club.error();
    }
    return std::move(club->connection);
}

store::Status writeLines(const QString& file, const QStringList& lines) {
    QFile out(file);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        return store::Error{QStringLiteral("cannot write %1").arg(file)};
    }
    out.write((lines.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8());
    return store::Status::success();
}

store::Result<QStringList> readLines(const QString& file) {
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly)) {
        return store::Error{QStringLiteral("cannot read %1: prepare the folder first").arg(file)};
    }
    return QString::fromUtf8(in.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

// An employee of the "00" kind types his short number; a ten-digit "00" text is a student's.
QString typedEmployee(const QString& matricula) {
    if (matricula.startsWith(QLatin1String("00"))) {
        return QStringLiteral("00") + QString::number(matricula.toLongLong());
    }
    return matricula;
}

store::Result<QStringList> column(const store::ClubConnection& club, const QString& sql) {
    auto rows = club.fetchAll(sql);
    if (!rows.ok()) {
        return rows.error();
    }
    QStringList values;
    for (const QSqlRecord& row : rows.value()) {
        values << row.value(0).toString();
    }
    return values;
}

// MATRICULA -> count, from a two-column statement.
store::Result<QMap<QString, long>> countsBy(const store::ClubConnection& club, const QString& sql) {
    auto rows = club.fetchAll(sql);
    if (!rows.ok()) {
        return rows.error();
    }
    QMap<QString, long> counts;
    for (const QSqlRecord& row : rows.value()) {
        counts.insert(row.value(0).toString(), row.value(1).toLongLong());
    }
    return counts;
}

store::Result<RowCounts> databaseRows(const store::ClubConnection& club) {
    RowCounts counts;
    for (const QString& table : kLogTables) {
        const bool hasMatricula = table != QLatin1String("AcessoVisitantes");
        const bool hasStatus =
            table == QLatin1String("AcessoDia") || table == QLatin1String("Acesso");
        const QString sql =
            QStringLiteral("SELECT %1, %2, COUNT(*) FROM %3 GROUP BY %1, %2")
                .arg(hasMatricula ? QStringLiteral("MATRICULA") : QStringLiteral("''"),
                     hasStatus ? QStringLiteral("STATUS") : QStringLiteral("''"), table);
        auto rows = club.fetchAll(sql);
        if (!rows.ok()) {
            return rows.error();
        }
        for (const QSqlRecord& row : rows.value()) {
            counts[RowKey{table, row.value(0).toString(), row.value(1).toString()}] +=
                row.value(2).toLongLong();
        }
    }
    return counts;
}

void compareRows(const RowCounts& database, const RowCounts& reported, CheckReport& report) {
    QList<RowKey> keys = database.keys() + reported.keys();
    std::sort(keys.begin(), keys.end());
    keys.erase(std::unique(keys.begin(), keys.end()), keys.end());
    for (const RowKey& key : keys) {
        const long stored = database.value(key);
        const long written = reported.value(key);
        report.rowsInDatabase += stored;
        report.rowsReported += written;
        if (stored != written) {
            report.faults << QStringLiteral("%1 %2 STATUS '%3': %4 rows in the database, %5 "
                                            "reported written")
                                 .arg(key.table, key.matricula, key.status)
                                 .arg(stored)
                                 .arg(written);
        }
    }
}

} // namespace

store::Status prepareLoadClub(const QString& folder, const LoadClubOptions& options) {
    demo::DemoClubOptions demo;
    demo.members = options.members;
    demo.branchMembers = 4;
    demo.now = QDateTime::currentDateTime();
    if (auto created = demo::createDemoClub(folder, demo); !created.ok()) {
        return created.error();
    }
    auto club = openClub(folder);
    if (!club.ok()) {
        return club.error();
    }
    const store::ClubConnection& connection = *club.value();
    for (const QString& table : kLogTables) {
        if (auto emptied = connection.execute(QStringLiteral("DELETE FROM ") + table);
            !emptied.ok()) {
            return emptied.error();
        }
    }
    if (auto limited = connection.execute(QStringLiteral("UPDATE Sacvar2 SET QTD_ACESSO = :L"),
                                          {{QStringLiteral(":L"), options.dailyLimit}});
        !limited.ok()) {
        return limited.error();
    }
    QFile::remove(QDir(folder).filePath(QLatin1String(activities::kAccessPointFileName)));

    auto students = column(connection, QStringLiteral("SELECT MATRICULA FROM AlunosAtivos "
                                                      "ORDER BY MATRICULA"));
    auto employees = column(connection, QStringLiteral("SELECT MATRICULA FROM Funcionarios "
                                                       "ORDER BY MATRICULA"));
    auto releases = countsBy(connection, QStringLiteral("SELECT Matricula, COUNT(*) FROM "
                                                        "LiberaGympass GROUP BY Matricula"));
    for (const store::Error* error : {students.ok() ? nullptr : &students.error(),
                                      employees.ok() ? nullptr : &employees.error(),
                                      releases.ok() ? nullptr : &releases.error()}) {
        if (error != nullptr) {
            return *error;
        }
    }
    QStringList numbers = students.value();
    for (const QString& employee : employees.value()) {
        numbers << typedEmployee(employee);
    }
    numbers << QStringLiteral("0000999999");
    QStringList releaseLines;
    for (auto it = releases->cbegin(); it != releases->cend(); ++it) {
        releaseLines << it.key() + QLatin1Char('\t') + QString::number(it.value());
    }
    if (store::Status s = writeLines(QDir(folder).filePath(QLatin1String(kNumbersFile)), numbers);
        !s.ok()) {
        return s;
    }
    return writeLines(QDir(folder).filePath(QLatin1String(kReleasesFile)), releaseLines);
}

store::Result<QStringList> loadNumbers(const QString& folder) {
    return readLines(QDir(folder).filePath(QLatin1String(kNumbersFile)));
}

store::Result<CheckReport> checkLoadClub(const QString& folder, const RowCounts& reported) {
    auto club = openClub(folder);
    if (!club.ok()) {
        return club.error();
    }
    const store::ClubConnection& connection = *club.value();
    auto stored = databaseRows(connection);
    auto limit = column(connection, QStringLiteral("SELECT QTD_ACESSO FROM Sacvar2"));
    auto grants = countsBy(connection, QStringLiteral("SELECT MATRICULA, COUNT(*) FROM AcessoDia "
                                                      "WHERE STATUS = 'L' GROUP BY MATRICULA"));
    auto left = countsBy(connection, QStringLiteral("SELECT Matricula, COUNT(*) FROM "
                                                    "LiberaGympass GROUP BY Matricula"));
    auto released = readLines(QDir(folder).filePath(QLatin1String(kReleasesFile)));
    for (const store::Error* error :
         {stored.ok() ? nullptr : &stored.error(), limit.ok() ? nullptr : &limit.error(),
          grants.ok() ? nullptr : &grants.error(), left.ok() ? nullptr : &left.error(),
          released.ok() ? nullptr : &released.error()}) {
        if (error != nullptr) {
            return *error;
        }
    }
    CheckReport report;
    compareRows(stored.value(), reported, report);
    for (const long count : grants.value()) {
        report.grants += count;
    }
    const int dailyLimit = limit->value(0).toInt();
    if (dailyLimit >= 1) {
        for (auto it = grants->cbegin(); it != grants->cend(); ++it) {
            if (it.value() > dailyLimit) {
                report.faults << QStringLiteral("%1 was let in %2 times; QTD_ACESSO is %3")
                                     .arg(it.key())
                                     .arg(it.value())
                                     .arg(dailyLimit);
            }
        }
        return report;
    }
    // One release lets its member in once, and is gone exactly when it was used.
    for (const QString& line : released.value()) {
        const QString matricula = line.section(QLatin1Char('\t'), 0, 0);
        const long granted = grants->value(matricula);
        const long remaining = left->value(matricula);
        if (granted > 1) {
            report.faults << QStringLiteral("partner-pass member %1 was let in %2 times on one "
                                            "release")
                                 .arg(matricula)
                                 .arg(granted);
        }
        if ((granted == 1) != (remaining == 0)) {
            report.faults << QStringLiteral("partner-pass member %1: %2 grants, %3 releases left")
                                 .arg(matricula)
                                 .arg(granted)
                                 .arg(remaining);
        }
    }
    return report;
}

} // namespace orvalen::load
