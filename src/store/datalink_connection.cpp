#include "store/datalink.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

namespace orvalen::store {

namespace {

bool isSqlServerProvider(const QString& provider) {
    const QString name = provider.trimmed().toUpper();
    return name == QLatin1String("SQLOLEDB") || name == QLatin1String("SQLOLEDB.1") ||
           name.startsWith(QLatin1String("SQLNCLI")) ||
           name.startsWith(QLatin1String("MSOLEDBSQL"));
}

bool isSqliteProvider(const QString& provider) {
    return provider.trimmed().compare(QLatin1String("SQLite"), Qt::CaseInsensitive) == 0;
}

bool saysYes(const QString& value) {
    const QString v = value.trimmed().toLower();
    return !v.isEmpty() && v != QLatin1String("false") && v != QLatin1String("no") &&
           v != QLatin1String("0");
}

// An ODBC attribute value: braced when it holds a character that would end or open it
// (";", "{", "}") or blanks at its ends; a "}" inside braces is doubled.
QString odbcValue(const QString& value) {
    const bool needsBraces = value.contains(QLatin1Char(';')) || value.contains(QLatin1Char('{')) ||
                             value.contains(QLatin1Char('}')) || value != value.trimmed();
    if (!needsBraces) {
        return value;
    }
    QString escaped = value;
    escaped.replace(QLatin1String("}"), QLatin1String("}}"));
    return QLatin1Char('{') + escaped + QLatin1Char('}');
}

// The ODBC driver reads the connection string as C text: a NUL inside a value would cut the
// string there and silently drop the attributes after it (the encryption among them).
Status refuseNul(const DataLink& link, const QStringList& keys) {
    for (const QString& key : keys) {
        if (link.property(key).contains(QChar(u'\0'))) {
            return Error{QStringLiteral("the data-link file %1 holds a NUL character in %2: "
                                        "rewrite the value")
                             .arg(link.file, key)};
        }
    }
    return Status::success();
}

struct SqlServerAddress {
    QString server; // host or host\instance
    QString port;   // empty with a named instance: the server's browser service finds it
};

Result<SqlServerAddress> parseDataSource(const DataLink& link) {
    QString source = link.property(QStringLiteral("Data Source")).trimmed();
    if (source.isEmpty()) {
        return Error{QStringLiteral("the data-link file %1 names no Data Source").arg(link.file)};
    }
    if (source.startsWith(QLatin1String("tcp:"), Qt::CaseInsensitive)) {
        source = source.mid(4).trimmed();
    }
    SqlServerAddress address;
    const qsizetype comma = source.indexOf(QLatin1Char(','));
    if (comma >= 0) {
        address.port = source.mid(comma + 1).trimmed();
        source = source.left(comma).trimmed();
        bool ok = false;
        const int port = address.port.toInt(&ok);
        if (!ok || port <= 0 || port > 65535) {
            return Error{QStringLiteral("the data-link file %1 gives \"%2\" as the server's port")
                             .arg(link.file, address.port)};
        }
    }
    const qsizetype backslash = source.indexOf(QLatin1Char('\\'));
    QString host = backslash < 0 ? source : source.left(backslash);
    // "(local)" and "." mean this PC on the platform the files come from.
    if (host == QLatin1String("(local)") || host == QLatin1String(".")) {
        host = QStringLiteral("localhost");
    }
    address.server = backslash < 0 ? host : host + source.mid(backslash);
    if (address.port.isEmpty() && backslash < 0) {
        address.port = QStringLiteral("1433");
    }
    return address;
}

// Microsoft's own ODBC driver reads TLS settings and needs no character set or protocol
// version; FreeTDS (and the drivers built on it) the other way round.
bool isMicrosoftDriver(const QString& driver) {
    return driver.contains(QLatin1String("ODBC Driver"), Qt::CaseInsensitive) &&
           driver.contains(QLatin1String("SQL Server"), Qt::CaseInsensitive);
}

QString yesNo(bool value) {
    return value ? QStringLiteral("yes") : QStringLiteral("no");
}

// Seconds to wait for the server at login: the data link's Connect Timeout, else 15, so an
// unreachable server cannot hang the start.
Result<int> loginTimeout(const DataLink& link) {
    const QString text = link.property(QStringLiteral("Connect Timeout")).trimmed();
    if (text.isEmpty()) {
        return 15;
    }
    bool ok = false;
    const int seconds = text.toInt(&ok);
    if (!ok || seconds < 0) {
        return Error{QStringLiteral("the data-link file %1 gives \"%2\" as Connect Timeout; "
                                    "write a number of seconds")
                         .arg(link.file, text)};
    }
    return seconds;
}

Result<ConnectionSpec> sqlServerSpec(const DataLink& link, const LocalSettings& local) {
    if (saysYes(link.property(QStringLiteral("Integrated Security"))) ||
        saysYes(link.property(QStringLiteral("Trusted_Connection")))) {
        return Error{QStringLiteral("the data-link file %1 asks for Windows integrated security, "
                                    "which this terminal cannot use: give a User ID and Password")
                         .arg(link.file)};
    }
    if (const Status clean =
            refuseNul(link, {QStringLiteral("Data Source"), QStringLiteral("Initial Catalog"),
                             QStringLiteral("User ID"), QStringLiteral("Password")});
        !clean.ok()) {
        return clean.error();
    }
    auto address = parseDataSource(link);
    if (!address.ok()) {
        return address.error();
    }
    const QString user = link.property(QStringLiteral("User ID"));
    if (user.isEmpty()) {
        return Error{QStringLiteral("the data-link file %1 names no User ID").arg(link.file)};
    }
    QString driver = local.odbcDriver;
    driver.replace(QLatin1String("}"), QLatin1String("}}"));
    QStringList parts{QStringLiteral("DRIVER={%1}").arg(driver),
                      QStringLiteral("SERVER=") + odbcValue(address->server)};
    if (!address->port.isEmpty()) {
        parts << QStringLiteral("PORT=") + address->port;
    }
    const QString catalog = link.property(QStringLiteral("Initial Catalog"));
    if (!catalog.isEmpty()) {
        parts << QStringLiteral("DATABASE=") + odbcValue(catalog);
    }
    parts << QStringLiteral("UID=") + odbcValue(user);
    parts << QStringLiteral("PWD=") + odbcValue(link.property(QStringLiteral("Password")));
    if (isMicrosoftDriver(local.odbcDriver)) {
        // Unset, the data link means what its provider always did: no encryption.
        parts << QStringLiteral("Encrypt=") +
                     yesNo(saysYes(link.property(QStringLiteral("Use Encryption for Data"))));
        parts << QStringLiteral("TrustServerCertificate=") +
                     yesNo(saysYes(link.property(QStringLiteral("Trust Server Certificate"))));
    } else {
        // Without a client character set accented names come back as "?" from many servers.
        parts << QStringLiteral("ClientCharset=UTF-8");
        parts << QStringLiteral("TDS_Version=") + local.tdsVersion;
    }
    const auto timeout = loginTimeout(link);
    if (!timeout.ok()) {
        return timeout.error();
    }
    // A statement that gets no answer for this long gives up: the network is gone, and the
    // watchdog takes over.
    int statementSeconds = 30;
    int loginSeconds = timeout.value();
    if (local.contingency.enabled) {
        // With a copy to decide from, waiting for a dead server only keeps the queue at the
        // door: the login gives up after 5 s and a statement after 8 s, just longer than the
        // 5 s a statement may wait for another terminal's lock (a busy server, not a dead one).
        loginSeconds = loginSeconds == 0 ? 5 : std::min(loginSeconds, 5); // 0: no bound at all
        statementSeconds = kLockWaitMs / 1000 + 3;
    }
    return ConnectionSpec{QStringLiteral("QODBC"),
                          parts.join(QLatin1Char(';')),
                          Dialect(Dialect::Kind::SqlServer),
                          link.file,
                          QStringLiteral("SQL_ATTR_LOGIN_TIMEOUT=%1").arg(loginSeconds),
                          statementSeconds};
}

Result<ConnectionSpec> sqliteSpec(const DataLink& link) {
    const QString source = link.property(QStringLiteral("Data Source")).trimmed();
    if (source.isEmpty()) {
        return Error{QStringLiteral("the data-link file %1 names no Data Source").arg(link.file)};
    }
    // A relative database file lives beside the data-link file, in the data-link folder.
    const QString path = QDir(QFileInfo(link.file).absolutePath()).filePath(source);
    return ConnectionSpec{QStringLiteral("QSQLITE"),
                          QDir::cleanPath(path),
                          Dialect(Dialect::Kind::Sqlite),
                          link.file,
                          QString(),
                          0};
}

} // namespace

Result<ConnectionSpec> connectionSpecFor(const DataLink& link, const LocalSettings& local) {
    const QString provider = link.provider();
    if (isSqlServerProvider(provider)) {
        return sqlServerSpec(link, local);
    }
    if (isSqliteProvider(provider)) {
        return sqliteSpec(link);
    }
    if (provider.isEmpty()) {
        return Error{QStringLiteral("the data-link file %1 names no Provider").arg(link.file)};
    }
    return Error{QStringLiteral("the data-link file %1 names the provider \"%2\", which this "
                                "terminal cannot use (SQL Server or SQLite only)")
                     .arg(link.file, provider)};
}

} // namespace orvalen::store
