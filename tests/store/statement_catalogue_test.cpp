#include "store/statement_catalogue.h"

#include <QRegularExpression>
#include <QSet>
#include <gtest/gtest.h>

namespace orvalen::test {
namespace {

using store::Dialect;

const Dialect kSqlServer(Dialect::Kind::SqlServer);
const Dialect kSqlite(Dialect::Kind::Sqlite);

// SQL Server refuses an ORDER BY that names one column twice (error 169), and SQLite
// accepts it: a slip that only a club's server would show.
TEST(StatementCatalogue, NoOrderByNamesAColumnTwice) {
    static const QRegularExpression orderBy(
        QStringLiteral(R"(ORDER BY (.*?)(?: LIMIT| OFFSET|$))"));
    for (const Dialect& dialect : {kSqlServer, kSqlite}) {
        for (const store::CatalogueEntry& entry : store::statementCatalogue(dialect)) {
            const auto match = orderBy.match(entry.text);
            if (!match.hasMatch()) {
                continue;
            }
            QSet<QString> seen;
            for (QString term : match.captured(1).split(QLatin1Char(','))) {
                term = term.trimmed().section(QLatin1Char(' '), 0, 0).toUpper();
                EXPECT_FALSE(seen.contains(term))
                    << entry.name.toStdString() << ": " << entry.text.toStdString();
                seen.insert(term);
            }
        }
    }
}

// What SQLite writes differently never reaches the server.
TEST(StatementCatalogue, SqlServerStatementsCarryNoSqliteForm) {
    const char* sqliteForms[] = {" LIMIT ", "||",     "substr(",       "COLLATE NOCASE",
                                 "rowid",   "PRAGMA", "IF NOT EXISTS", "sqlite_master",
                                 "pragma_"};
    const auto catalogue = store::statementCatalogue(kSqlServer);
    ASSERT_GT(catalogue.size(), 50U);
    for (const store::CatalogueEntry& entry : catalogue) {
        for (const char* form : sqliteForms) {
            EXPECT_FALSE(entry.text.contains(QLatin1String(form), Qt::CaseInsensitive))
                << form << " in " << entry.name.toStdString() << ": " << entry.text.toStdString();
        }
    }
}

// Tools read the catalogue by its comment lines: one name per statement, no ": " inside.
TEST(StatementCatalogue, EachEntryHasAUniqueNameAndWhereItIsUsed) {
    for (const Dialect& dialect : {kSqlServer, kSqlite}) {
        QSet<QString> names;
        for (const store::CatalogueEntry& entry : store::statementCatalogue(dialect)) {
            EXPECT_FALSE(names.contains(entry.name)) << entry.name.toStdString();
            EXPECT_FALSE(entry.name.contains(QLatin1String(": "))) << entry.name.toStdString();
            EXPECT_FALSE(entry.usedWhere.isEmpty()) << entry.name.toStdString();
            names.insert(entry.name);
        }
    }
    const QString text = store::catalogueText(kSqlServer);
    EXPECT_TRUE(text.contains(QStringLiteral(
        "-- QRYDATA_VENCIMENTO: payment due date: every receipt of a member\n"
        "SELECT MES, ANO FROM RECEB WHERE MATRICULA = :MMATRICULA ORDER BY ANO, MES\n\n")));
    EXPECT_TRUE(text.contains(QStringLiteral(
        "SELECT COUNT(MATRICULA) FROM AcessoDia WITH (UPDLOCK, HOLDLOCK) WHERE (STATUS = 'L') "
        "AND (MATRICULA = :LMATRICULA)")));
}

} // namespace
} // namespace orvalen::test
