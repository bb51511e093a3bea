#pragma once

#include "store/dialect.h"
#include "store/result.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QString>
#include <QVariant>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

namespace orvalen::store {

// How to reach one database: the Qt SQL driver, what it opens, and where it came from.
struct ConnectionSpec {
    QString driver;       // "QSQLITE" or "QODBC"
    QString databaseName; // a file path for SQLite, an ODBC connection string for ODBC
    Dialect dialect;
    QString origin;         // the data-link file it was read from, for messages
    QString connectOptions; // Qt driver options, such as the ODBC login time-out
    // Seconds one statement of an ODBC connection may wait for the server; 0: no bound.
    int statementSeconds = 0;
};

// How long a statement waits for another connection's lock (another terminal, the back
// office) before it fails and its write is rolled back.
inline constexpr int kLockWaitMs = 5000;

using Bindings = std::vector<std::pair<QString, QVariant>>;
using Rows = std::vector<QSqlRecord>;

// Sees each statement and each commit of a connection before the database does. An error
// it returns stands for the database's own; it may also close the connection, as a
// network that drops would. The connection runs without one unless it is given one.
class StatementGate {
public:
    virtual ~StatementGate() = default;
    virtual std::optional<Error> beforeStatement(QSqlDatabase& database, const QString& sql) = 0;
    virtual std::optional<Error> beforeCommit(QSqlDatabase& database) = 0;
};

// What opening may do to an SQLite file (a server's database is there or it is not).
enum class OpenMode {
    // Read and write a database file that must already exist: a wrong Data Source is an
    // error, never a new empty database.
    Existing,
    // Read only, and leave the file as it is, its journal mode included: the checks and the
    // dry runs change nothing.
    ReadOnly,
    // Create the file when it is missing: only for making a club (the demo) from nothing.
    Create,
};

// One named Qt SQL connection, used from the GUI thread only.
class ClubConnection {
public:
    ClubConnection(ConnectionSpec spec, QString connectionName, OpenMode mode = OpenMode::Existing);
    ~ClubConnection();
    ClubConnection(const ClubConnection&) = delete;
    ClubConnection& operator=(const ClubConnection&) = delete;

    Status open();
    void close();
    // Closes the connection and points it at another database (a data-link file corrected
    // while the database was away); the connection keeps its name.
    void repoint(ConnectionSpec spec);
    bool isOpen() const;

    QSqlDatabase database() const;
    const Dialect& dialect() const { return spec_.dialect; }
    const ConnectionSpec& spec() const { return spec_; }

    // Prepares the statement, binds every value by name and runs it; the query comes back
    // positioned before its first row.
    Result<QSqlQuery> execute(const QString& sql, const Bindings& bindings = {}) const;
    // execute() and every row it returns.
    Result<Rows> fetchAll(const QString& sql, const Bindings& bindings = {}) const;

    // Begin, change, commit; on any error the transaction is rolled back and the error
    // returned. The change reports failure through its Status.
    Status inTransaction(const std::function<Status()>& change) const;

    // Every statement and commit passes the gate first; nullptr removes it.
    void setGate(StatementGate* gate) { gate_ = gate; }

private:
    void applySpec();

    ConnectionSpec spec_;
    QString name_;
    OpenMode mode_;
    StatementGate* gate_ = nullptr;
};

// The text of a failed statement's error, for messages and the exception log.
QString describeError(const QSqlQuery& query);

// Sees the text of every statement this process sends, before the database does, so that
// a session's statements can be compared with the catalogue; an empty function stops it.
void observeStatements(std::function<void(const QString&)> observer);
// Tells the observer of a statement sent past ClubConnection::execute (catalogue queries
// and pragmas run on the Qt database directly).
void noteStatement(const QString& sql);

} // namespace orvalen::store
