#include "store/schema.h"
#include "support/test_database.h"

#include <QSqlQuery>
#include <gtest/gtest.h>

using namespace orvalen;
using test::Route;

class SchemaTest : public ::testing::TestWithParam<Route> {};

TEST_P(SchemaTest, BuiltDatabaseHasEveryTableAndColumn) {
    test::TestDatabase db(GetParam());
    EXPECT_TRUE(store::missingFromSchema(db.connection().database()).isEmpty());
}

TEST_P(SchemaTest, CheckNamesMissingTablesAndColumns) {
    test::TestDatabase db(GetParam());
    db.exec(QStringLiteral("DROP TABLE Turma"));
    db.exec(QStringLiteral("ALTER TABLE Sacvar2 DROP COLUMN QTD_ACESSO"));
    const QStringList missing = store::missingFromSchema(db.connection().database());
    EXPECT_EQ(missing,
              (QStringList{QStringLiteral("Turma"), QStringLiteral("Sacvar2.QTD_ACESSO")}));
}

INSTANTIATE_TEST_SUITE_P(BothRoutes, SchemaTest, ::testing::Values(Route::Direct, Route::Odbc),
                         [](const auto& info) {
                             return test::routeName(info.param).toStdString();
                         });
