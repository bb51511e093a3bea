#include "store/lookup_indexes.h"
#include "support/test_database.h"

#include <algorithm>
#include <gtest/gtest.h>

using namespace orvalen;
using test::Route;

namespace {

QStringList missingNames(test::TestDatabase& db) {
    const auto missing =
        store::missingLookupIndexes(db.connection().database(), db.connection().dialect());
    EXPECT_TRUE(missing.ok()) << missing.error().message.toStdString();
    QStringList names;
    if (missing.ok()) {
        for (const store::LookupIndex& index : missing.value()) {
            names << index.name;
        }
    }
    return names;
}

class LookupIndexesTest : public ::testing::TestWithParam<Route> {};

TEST_P(LookupIndexesTest, NewClubDatabaseHasEveryOne) {
    test::TestDatabase db(GetParam());
    EXPECT_EQ(missingNames(db), QStringList());
}

// An index counts by the columns it begins with, whatever its name; the name search needs its
// first column compared without regard to case.
TEST_P(LookupIndexesTest, NamesTheOnesNoIndexServes) {
    const struct {
        const char* name;
        QStringList change;
        QStringList missing;
    } cases[] = {
        {"dropped",
         {QStringLiteral("DROP INDEX IX_RECEB_MATRICULA")},
         {QStringLiteral("IX_RECEB_MATRICULA")}},
        {"another name, more columns",
         {QStringLiteral("DROP INDEX IX_RECEB_MATRICULA"),
          QStringLiteral("CREATE INDEX receipts_by_member ON RECEB (MATRICULA, ANO, MES)")},
         {}},
        {"other leading column",
         {QStringLiteral("DROP INDEX IX_AcessoDia_MATRICULA"),
          QStringLiteral("CREATE INDEX day_by_date ON AcessoDia (DATA, MATRICULA)")},
         {QStringLiteral("IX_AcessoDia_MATRICULA")}},
        {"names compared with regard to case",
         {QStringLiteral("DROP INDEX AlunosAtivos_NOME_NOCASE"),
          QStringLiteral("CREATE INDEX by_name ON AlunosAtivos (NOME, MATRICULA)")},
         {QStringLiteral("AlunosAtivos_NOME_NOCASE")}},
        {"names without regard to case under another name",
         {QStringLiteral("DROP INDEX AlunosAtivos_NOME_NOCASE"),
          QStringLiteral("CREATE INDEX by_name ON AlunosAtivos (NOME COLLATE NOCASE, MATRICULA)")},
         {}},
        {"table missing: the schema check reports it", {QStringLiteral("DROP TABLE RECEB")}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        test::TestDatabase db(GetParam());
        for (const QString& sql : c.change) {
            db.exec(sql);
        }
        EXPECT_EQ(missingNames(db), c.missing);
    }
}

// The statement the doctor advises creates an index the check then accepts.
TEST_P(LookupIndexesTest, AdvisedStatementsCreateWhatWasMissing) {
    test::TestDatabase db(GetParam());
    db.exec(QStringLiteral("DROP INDEX AlunosAtivos_NOME_NOCASE"));
    db.exec(QStringLiteral("DROP INDEX IX_Alunos_Matricula"));
    const auto missing =
        store::missingLookupIndexes(db.connection().database(), db.connection().dialect());
    ASSERT_TRUE(missing.ok());
    ASSERT_EQ(missing->size(), 2u);
    EXPECT_EQ(store::createIndexStatement(missing.value()[0], db.connection().dialect()),
              QStringLiteral("CREATE INDEX IF NOT EXISTS AlunosAtivos_NOME_NOCASE ON AlunosAtivos "
                             "(NOME COLLATE NOCASE, MATRICULA)"));
    for (const store::LookupIndex& index : missing.value()) {
        db.exec(store::createIndexStatement(index, db.connection().dialect()));
    }
    EXPECT_EQ(missingNames(db), QStringList());
}

// SQL Server's collation compares names without regard to case already.
TEST(LookupIndexStatement, SqlServerNeedsNoCollation) {
    const auto& list = store::lookupIndexes();
    const auto byName = std::find_if(
        list.begin(), list.end(), [](const store::LookupIndex& i) { return i.firstWithoutCase; });
    ASSERT_NE(byName, list.end());
    EXPECT_EQ(store::createIndexStatement(*byName, store::Dialect(store::Dialect::Kind::SqlServer)),
              QStringLiteral("CREATE INDEX AlunosAtivos_NOME_NOCASE ON AlunosAtivos "
                             "(NOME, MATRICULA)"));
}

INSTANTIATE_TEST_SUITE_P(BothRoutes, LookupIndexesTest,
                         ::testing::Values(Route::Direct, Route::Odbc), [](const auto& info) {
                             return test::routeName(info.param).toStdString();
                         });

} // namespace
