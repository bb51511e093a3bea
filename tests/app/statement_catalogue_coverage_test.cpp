#include "app/tool/tool.h"
#include "demo_club/demo_club.h"
#include "demo_club/member_catalogue.h"
#include "store/connection.h"
#include "store/statement_catalogue.h"
#include "support/application.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace orvalen::test {
namespace {

// A number looked up as a number binds one text per width it can be stored in; the
// catalogue shows the widest list.
QString sameNumberListFolded(QString sql) {
    static const QRegularExpression list(QStringLiteral(R"(IN \(:m0(, :m\d+)*\))"));
    return sql.replace(list, QStringLiteral("IN (:m...)"));
}

// An access-log row names only the columns its outcome sets: the catalogue's row of the
// table names them all. Folded to the table and the rest of the statement, with the
// columns apart.
struct InsertShape {
    QString key;
    QSet<QString> columns;
};

std::optional<InsertShape> insertShape(const QString& sql) {
    static const QRegularExpression insert(QStringLiteral(
        R"(^INSERT INTO (\w+) \(([^)]*)\) (?:VALUES \(([^)]*)\)|SELECT (.*?) WHERE (.*))$)"));
    const auto match = insert.match(sql);
    if (!match.hasMatch()) {
        return std::nullopt;
    }
    const QStringList names = match.captured(2).split(QStringLiteral(", "));
    const QString markers = match.captured(3).isEmpty() ? match.captured(4) : match.captured(3);
    QStringList expected;
    for (const QString& name : names) {
        expected << QLatin1Char(':') + name;
    }
    if (markers != expected.join(QStringLiteral(", "))) {
        return std::nullopt; // a value not bound by its column's name is another statement
    }
    return InsertShape{match.captured(1) + QLatin1Char('|') + match.captured(5),
                       QSet<QString>(names.begin(), names.end())};
}

bool inCatalogue(const QString& sent, const std::vector<store::CatalogueEntry>& catalogue) {
    const std::optional<InsertShape> row = insertShape(sent);
    for (const store::CatalogueEntry& entry : catalogue) {
        if (sameNumberListFolded(entry.text) == sameNumberListFolded(sent)) {
            return true;
        }
        if (const auto listed = insertShape(entry.text);
            row && listed && listed->key == row->key && listed->columns.contains(row->columns)) {
            return true;
        }
    }
    return false;
}

int run(QStringList arguments) {
    QString output;
    QString errors;
    QTextStream out(&output);
    QTextStream err(&errors);
    return tool::runTool(arguments, out, err);
}

// The demo club's every catalogue number identified for real (rows written, releases
// used up), by name, explained, its log read and the installation checked: every
// statement sent on the way is one `orvalen statements` lists.
TEST(StatementCatalogueCoverage, EveryStatementOfADemoSessionIsInTheCatalogue) {
    ensureApplication(); // the pictures are lettered with fonts
    QTemporaryDir dir(qEnvironmentVariable("ORVALEN_TEST_TMP", QDir::tempPath()) +
                      QStringLiteral("/statement-coverage-XXXXXX"));
    demo::DemoClubOptions options;
    options.members = 60;
    options.branchMembers = 6;
    options.now = QDateTime(QDate(2026, 3, 16), QTime(10, 30));
    ASSERT_TRUE(demo::createDemoClub(dir.path(), options).ok());
    QFile file(QDir(dir.path()).filePath(QLatin1String(demo::kCatalogueFile)));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const auto members = demo::readCatalogue(QString::fromUtf8(file.readAll()));
    ASSERT_FALSE(members.isEmpty());

    QStringList sent;
    store::observeStatements([&sent](const QString& sql) { sent << sql; });
    const QStringList club{QStringLiteral("--datalink-dir"), dir.path()};
    run(QStringList{QStringLiteral("doctor")} + club);
    for (const demo::CatalogueEntry& member : members) {
        QStringList identify = QStringList{QStringLiteral("identify")} + club;
        if (member.situation.startsWith(QLatin1String("other-branch"))) {
            identify << QStringLiteral("--branch") << QStringLiteral("2");
        }
        run(identify << member.number);
        run(QStringList{QStringLiteral("explain")} + club << member.number);
    }
    run(QStringList{QStringLiteral("identify")} + club << QStringLiteral("--name")
                                                       << QStringLiteral("A"));
    for (const QStringList& filter :
         {QStringList{}, QStringList{QStringLiteral("--number"), members.first().number},
          QStringList{QStringLiteral("--status"), QStringLiteral("V")},
          QStringList{QStringLiteral("--date"), QStringLiteral("16/03/2026"),
                      QStringLiteral("--number"), members.first().number,
                      QStringLiteral("--status"), QStringLiteral("L")}}) {
        run(QStringList{QStringLiteral("log")} + club + filter);
    }
    store::observeStatements({});

    ASSERT_GT(sent.size(), 100);
    const auto catalogue = store::statementCatalogue(store::Dialect(store::Dialect::Kind::Sqlite));
    QStringList missing;
    for (const QString& sql : QSet<QString>(sent.begin(), sent.end())) {
        if (!inCatalogue(sql, catalogue)) {
            missing << sql;
        }
    }
    missing.sort();
    EXPECT_TRUE(missing.isEmpty()) << "sent but not in the catalogue:\n"
                                   << missing.join(QLatin1Char('\n')).toStdString();
}

} // namespace
} // namespace orvalen::test
