#include "app/tool/doctor_storage_checks.h"

#include "store/statement_catalogue.h"

#include <QFile>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <cerrno>
#include <cstring>
#include <pwd.h>
#include <unistd.h>

namespace orvalen::tool {

namespace {

// How many of SQLite's findings the report quotes; one is enough to know the file is hurt.
constexpr int kFindingsQuoted = 5;

const store::Statement kIntegrityCheck{
    "doctor integrity", "doctor: whether an SQLite club file is sound",
    [](const store::Dialect& d) {
        return d.isSqlite() ? QStringLiteral("PRAGMA integrity_check(%1)").arg(kFindingsQuoted)
                            : QString();
    }};

void checkWritable(const QString& file, DoctorReport& report) {
    // access(2) answers for this user, a read-only mount included.
    if (access(QFile::encodeName(file).constData(), W_OK) == 0) {
        return;
    }
    const QString why = QString::fromLocal8Bit(std::strerror(errno));
    const QString user = runningUser();
    report.problem(QStringLiteral("user %1 cannot write the club database file %2 (%3): every "
                                  "access-log row fails with \"Gravando na tabela !\" and the "
                                  "terminal screen closes")
                       .arg(user, file, why),
                   QStringLiteral("let %1 write %2 (for example `chown %1 %2`), or run the "
                                  "terminal as a user who can")
                       .arg(user, file));
}

void checkIntegrity(const store::ClubConnection& connection, DoctorReport& report) {
    const QString file = connection.spec().databaseName;
    const QString fix =
        QStringLiteral("stop the terminals and put back %1 from the last good copy; sqlite3's "
                       "\".recover\" can rescue the rows of a damaged file")
            .arg(file);
    QSqlQuery query(connection.database());
    const QString check = kIntegrityCheck.text(connection.dialect());
    store::noteStatement(check);
    if (!query.exec(check)) {
        report.problem(QStringLiteral("the club database file %1 cannot be checked: %2")
                           .arg(file, query.lastError().text()),
                       fix);
        return;
    }
    QStringList findings;
    while (query.next()) {
        findings << query.value(0).toString();
    }
    if (findings == QStringList{QStringLiteral("ok")}) {
        report.fact(QStringLiteral("integrity: the club database file passes SQLite's check"));
        return;
    }
    report.problem(QStringLiteral("the club database file %1 is damaged (SQLite's integrity "
                                  "check: %2)")
                       .arg(file, findings.join(QStringLiteral("; "))),
                   fix);
}

} // namespace

QString runningUser() {
    const passwd* entry = getpwuid(geteuid());
    return entry != nullptr ? QString::fromLocal8Bit(entry->pw_name)
                            : QStringLiteral("uid %1").arg(geteuid());
}

void checkDatabaseFile(const store::ClubConnection& connection, DoctorReport& report) {
    if (!connection.dialect().isSqlite() || connection.spec().driver != QLatin1String("QSQLITE")) {
        return; // a server looks after its own files
    }
    checkWritable(connection.spec().databaseName, report);
    checkIntegrity(connection, report);
}

} // namespace orvalen::tool
