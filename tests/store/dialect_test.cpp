#include "store/dialect.h"

#include <gtest/gtest.h>

using namespace orvalen;
using store::Dialect;

namespace {

// The SQL Server forms cannot run here; their text is what the club database receives.
TEST(DialectTest, WritesTheExpressionsEachDatabaseUnderstands) {
    const Dialect server(Dialect::Kind::SqlServer);
    const Dialect sqlite(Dialect::Kind::Sqlite);
    const QString select = QStringLiteral("SELECT A, B FROM T WHERE A LIKE :P ORDER BY A");
    const std::pair<QString, QString> cases[] = {
        {server.concat(QStringLiteral("'091'"),
                       server.substring(QStringLiteral("matricula"), 4, 7)),
         QStringLiteral("'091'+SUBSTRING(matricula,4,7)")},
        {sqlite.concat(QStringLiteral("'091'"),
                       sqlite.substring(QStringLiteral("matricula"), 4, 7)),
         QStringLiteral("'091' || substr(matricula,4,7)")},
        {server.firstRowOnly(select),
         QStringLiteral("SELECT TOP 1 A, B FROM T WHERE A LIKE :P ORDER BY A")},
        {sqlite.firstRowOnly(select),
         QStringLiteral("SELECT A, B FROM T WHERE A LIKE :P ORDER BY A LIMIT 1")},
        // Terminals counting the same student's grants wait for each other's insert.
        {server.heldForWrite(QStringLiteral("AcessoDia")),
         QStringLiteral("AcessoDia WITH (UPDLOCK, HOLDLOCK)")},
        {sqlite.heldForWrite(QStringLiteral("AcessoDia")), QStringLiteral("AcessoDia")},
    };
    for (const auto& [written, expected] : cases) {
        EXPECT_EQ(written, expected);
    }
}

} // namespace
