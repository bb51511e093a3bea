#include "desk_client.h"
#include "support/tool_process.h"

#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <gtest/gtest.h>
#include <iostream>

namespace orvalen::test {
namespace {

using namespace Qt::StringLiterals;

const QString kBrowserTests = QStringLiteral(ORVALEN_BROWSER_TEST_DIR);

// Debian's chromium, headless, on the page of a real monitor: log in, a member let in
// appears without a reload, the reason of an overdue member, the search by name, and a
// member named as markup shown as text (tests/browser/desk_page.mjs says each check).
// The screenshots go to ORVALEN_SCREENSHOTS when it names a folder.
TEST(DeskPageInBrowser, LoginFeedReasonSearchAndAHostileName) {
    ASSERT_TRUE(QFile::exists(kBrowserTests + u"/node_modules/puppeteer-core"_s))
        << "run: npm ci --prefix tests/browser (scripts/test.sh does)";
    ASSERT_TRUE(QFile::exists(u"/usr/bin/chromium"_s)) << "chromium (scripts/setup.sh installs it)";
    DeskUnderTest desk;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_s, u"hostile"_s);
        db.setDatabaseName(desk.clubFolder() + u"/club.db"_s);
        ASSERT_TRUE(db.open());
        QSqlQuery rename(db);
        rename.prepare(u"UPDATE AlunosAtivos SET NOME = :NOME WHERE MATRICULA = '0000010010'"_s);
        rename.bindValue(u":NOME"_s, u"<img src=x onerror=alert(1)>"_s);
        ASSERT_TRUE(rename.exec());
    }
    QSqlDatabase::removeDatabase(u"hostile"_s);

    QTemporaryDir shots;
    const QString shotFolder = qEnvironmentVariableIsEmpty("ORVALEN_SCREENSHOTS")
                                   ? shots.path()
                                   : qEnvironmentVariable("ORVALEN_SCREENSHOTS");
    QProcess node;
    node.setWorkingDirectory(kBrowserTests);
    node.start(u"node"_s, {u"desk_page.mjs"_s, desk.url(), QDir(toolExecutable()).absolutePath(),
                           desk.clubFolder(), shotFolder});
    const FinishedProcess ran = runToEnd(node, 180000);
    EXPECT_EQ(ran.exitCode, 0) << ran.out.toStdString() << ran.err.toStdString();
    std::cout << ran.out.toStdString();
}

} // namespace
} // namespace orvalen::test
