#pragma once

#include "store/connection.h"

#include <QString>
#include <QTemporaryDir>
#include <memory>

namespace orvalen::test {

// How a test reaches its SQLite file: directly, or through the ODBC driver path that
// serves SQL Server in a club.
enum class Route { Direct, Odbc };

QString routeName(Route route);

// A fresh SQLite club database with the full schema in a temporary folder.
class TestDatabase {
public:
    explicit TestDatabase(Route route = Route::Direct);
    ~TestDatabase();

    store::ClubConnection& connection() { return *connection_; }
    QString folder() const { return dir_.path(); }
    QString file() const { return dir_.filePath(QStringLiteral("club.db")); }

    // Runs a statement that must succeed (fixtures).
    void exec(const QString& sql, const store::Bindings& bindings = {});

private:
    QTemporaryDir dir_;
    std::unique_ptr<store::ClubConnection> connection_;
};

// A spec for opening the given SQLite file along a route.
store::ConnectionSpec sqliteSpec(const QString& file, Route route);

} // namespace orvalen::test
