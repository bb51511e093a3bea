#include "support/test_database.h"

#include "store/schema.h"

#include <QDir>
#include <atomic>
#include <gtest/gtest.h>
#include <stdexcept>

namespace orvalen::test {

QString routeName(Route route) {
    return route == Route::Direct ? QStringLiteral("Direct") : QStringLiteral("Odbc");
}

store::ConnectionSpec sqliteSpec(const QString& file, Route route) {
    const store::Dialect dialect(store::Dialect::Kind::Sqlite);
    if (route == Route::Direct) {
        return {QStringLiteral("QSQLITE"), file, dialect, file};
    }
    return {QStringLiteral("QODBC"), QStringLiteral("DRIVER={SQLite3};Database=%1").arg(file),
            dialect, file};
}

static QString tempRoot() {
    const QString root = qEnvironmentVariable("ORVALEN_TEST_TMP", QDir::tempPath());
    QDir().mkpath(root);
    return root + QStringLiteral("/db-XXXXXX");
}

TestDatabase::TestDatabase(Route route) : dir_(tempRoot()) {
    static std::atomic<int> counter{0};
    connection_ = std::make_unique<store::ClubConnection>(sqliteSpec(file(), route),
                                                          QStringLiteral("test-%1").arg(counter++),
                                                          store::OpenMode::Create);
    const store::Status opened = connection_->open();
    if (!opened.ok()) {
        throw std::runtime_error(opened.error().message.toStdString());
    }
    QSqlDatabase db = connection_->database();
    // One transaction for the whole schema: one flush to disk instead of one per table,
    // which is most of a test's time on a busy machine.
    db.transaction();
    const store::Status created = store::createSchema(db, connection_->dialect());
    db.commit();
    if (!created.ok()) {
        throw std::runtime_error(created.error().message.toStdString());
    }
}

TestDatabase::~TestDatabase() = default;

void TestDatabase::exec(const QString& sql, const store::Bindings& bindings) {
    const auto result = connection_->execute(sql, bindings);
    if (!result.ok()) {
        ADD_FAILURE() << "fixture statement failed: " << sql.toStdString() << ": "
                      << result.error().message.toStdString();
    }
}

} // namespace orvalen::test
