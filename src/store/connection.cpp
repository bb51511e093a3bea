#include "store/connection.h"

#include "store/statement_catalogue.h"
#include "store/statement_time.h"

#include <QFileInfo>
#include <QSqlError>

namespace orvalen::store {

namespace {

std::function<void(const QString&)>& statementObserver() {
    static std::function<void(const QString&)> observer;
    return observer;
}

// Runs a statement of the connection's own set-up.
void runSetUp(const QSqlDatabase& db, const QString& sql) {
    noteStatement(sql);
    QSqlQuery(db).exec(sql);
}

bool isSqliteFile(const ConnectionSpec& spec) {
    return spec.dialect.isSqlite() && spec.driver == QLatin1String("QSQLITE");
}

QString onlySqlite(const Dialect& dialect, const QString& sql) {
    return dialect.isSqlite() ? sql : QString();
}

const Statement kBusyTimeout{
    "open busy timeout", "opening an SQLite club file", [](const Dialect& d) {
        return onlySqlite(d, QStringLiteral("PRAGMA busy_timeout = %1").arg(kLockWaitMs));
    }};
const Statement kWalJournal{
    "open journal mode", "opening an SQLite club file to write",
    [](const Dialect& d) { return onlySqlite(d, QStringLiteral("PRAGMA journal_mode = WAL")); }};
const Statement kReadProbe{
    "open read probe", "opening an SQLite club file: it can be read", [](const Dialect& d) {
        return onlySqlite(d, QStringLiteral("SELECT COUNT(*) FROM sqlite_master"));
    }};
const Statement kLockTimeout{
    "open lock timeout", "opening a connection to the club's server", [](const Dialect& d) {
        return d.isSqlite() ? QString() : QStringLiteral("SET LOCK_TIMEOUT %1").arg(kLockWaitMs);
    }};

} // namespace

ClubConnection::ClubConnection(ConnectionSpec spec, QString connectionName, OpenMode mode)
    : spec_(std::move(spec)), name_(std::move(connectionName)), mode_(mode) {
    QSqlDatabase::addDatabase(spec_.driver, name_);
    applySpec();
}

void ClubConnection::applySpec() {
    QSqlDatabase db = database();
    db.setDatabaseName(spec_.databaseName);
    QString options = spec_.connectOptions;
    if (mode_ == OpenMode::ReadOnly && isSqliteFile(spec_)) {
        options += (options.isEmpty() ? QString() : QStringLiteral(";")) +
                   QStringLiteral("QSQLITE_OPEN_READONLY");
    }
    db.setConnectOptions(options);
}

ClubConnection::~ClubConnection() {
    close();
    QSqlDatabase::removeDatabase(name_);
}

Status ClubConnection::open() {
    QSqlDatabase db = database();
    if (!db.isValid()) {
        return Error{QStringLiteral("the Qt SQL driver %1 is not installed").arg(spec_.driver)};
    }
    if (db.isOpen()) {
        return Status::success();
    }
    // SQLite would create a missing file: an empty database where the club's should be.
    if (isSqliteFile(spec_) && mode_ != OpenMode::Create &&
        !QFileInfo::exists(spec_.databaseName)) {
        return Error{QStringLiteral("the database file %1 named by %2 does not exist")
                         .arg(spec_.databaseName, spec_.origin)};
    }
    if (!db.open()) {
        return Error{QStringLiteral("cannot connect to the database of %1: %2")
                         .arg(spec_.origin, db.lastError().text())};
    }
    if (isSqliteFile(spec_)) {
        // Other terminals and the back office write the same file. A writer waits up to
        // busy_timeout for another one's lock, then its write fails and is rolled back like
        // any other. In WAL mode readers never wait for a writer nor block one; a file
        // system that cannot hold the WAL index keeps the rollback journal, which still works.
        // The journal mode stays with the file: a reader leaves the one it found.
        runSetUp(db, kBusyTimeout.text(spec_.dialect));
        if (mode_ != OpenMode::ReadOnly) {
            runSetUp(db, kWalJournal.text(spec_.dialect));
        }
        // The file is read lazily: read it now, so that a database that cannot be read (its
        // folder refuses the log's -wal and -shm files, it is not a database) fails here
        // and not as tables that seem to be missing.
        QSqlQuery probe(db);
        const QString probeText = kReadProbe.text(spec_.dialect);
        noteStatement(probeText);
        if (!probe.exec(probeText)) {
            const QString why = probe.lastError().text();
            db.close();
            return Error{
                QStringLiteral("cannot read the database of %1: %2").arg(spec_.origin, why)};
        }
    } else if (!spec_.dialect.isSqlite()) {
        // SQL Server waits for a lock without end unless told: a terminal behind the back
        // office's open transaction would freeze in front of the queue.
        runSetUp(db, kLockTimeout.text(spec_.dialect));
    }
    return Status::success();
}

void ClubConnection::close() {
    if (QSqlDatabase::contains(name_)) {
        QSqlDatabase db = database();
        db.close();
    }
}

void ClubConnection::repoint(ConnectionSpec spec) {
    close();
    if (spec.driver != spec_.driver) {
        QSqlDatabase::removeDatabase(name_);
        QSqlDatabase::addDatabase(spec.driver, name_);
    }
    spec_ = std::move(spec);
    applySpec();
}

bool ClubConnection::isOpen() const {
    return database().isOpen();
}

QSqlDatabase ClubConnection::database() const {
    return QSqlDatabase::database(name_, false);
}

Result<QSqlQuery> ClubConnection::execute(const QString& sql, const Bindings& bindings) const {
    QSqlDatabase db = database();
    if (gate_ != nullptr) {
        if (std::optional<Error> refused = gate_->beforeStatement(db, sql)) {
            return *refused;
        }
    }
    noteStatement(sql);
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (!query.prepare(sql)) {
        return Error{describeError(query)};
    }
    if (spec_.statementSeconds > 0 && spec_.driver == QLatin1String("QODBC")) {
        boundStatementTime(query, spec_.statementSeconds);
    }
    for (const auto& [name, value] : bindings) {
        query.bindValue(name, value);
    }
    if (!query.exec()) {
        return Error{describeError(query)};
    }
    return query;
}

Result<Rows> ClubConnection::fetchAll(const QString& sql, const Bindings& bindings) const {
    auto query = execute(sql, bindings);
    if (!query.ok()) {
        return query.error();
    }
    Rows rows;
    while (query->next()) {
        rows.push_back(query->record());
    }
    return rows;
}

Status ClubConnection::inTransaction(const std::function<Status()>& change) const {
    QSqlDatabase db = database();
    if (!db.transaction()) {
        return Error{QStringLiteral("cannot begin a transaction: %1").arg(db.lastError().text())};
    }
    Status result;
    try {
        result = change();
    } catch (...) {
        db.rollback();
        throw;
    }
    if (!result.ok()) {
        db.rollback();
        return result;
    }
    std::optional<Error> refused;
    if (gate_ != nullptr) {
        refused = gate_->beforeCommit(db);
    }
    if (refused || !db.commit()) {
        const QString why = refused ? refused->message : db.lastError().text();
        db.rollback();
        return Error{QStringLiteral("cannot commit: %1").arg(why)};
    }
    return Status::success();
}

void observeStatements(std::function<void(const QString&)> observer) {
    statementObserver() = std::move(observer);
}

void noteStatement(const QString& sql) {
    if (statementObserver()) {
        statementObserver()(sql);
    }
}

QString describeError(const QSqlQuery& query) {
    const QSqlError error = query.lastError();
    QString text = error.text().trimmed();
    if (text.isEmpty()) {
        text = QStringLiteral("unknown database error");
    }
    return text;
}

} // namespace orvalen::store
