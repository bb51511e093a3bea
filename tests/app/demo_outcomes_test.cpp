#include "app/tool/tool.h"
#include "demo_club/demo_club.h"
#include "demo_club/member_catalogue.h"
#include "support/application.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace orvalen::test {
namespace {

// What the catalogue promises for a number: the quoted texts after "->" in their order,
// and whether the turnstile opens.
struct Promise {
    QStringList texts;
    bool released = false;
};

Promise promiseOf(const demo::CatalogueEntry& entry) {
    Promise promise;
    // What follows " with " names a caption, not a text the turnstile shows.
    const QString outcome =
        entry.description.section(QStringLiteral("->"), 1).section(QStringLiteral(" with "), 0, 0);
    static const QRegularExpression quoted(QStringLiteral("\"([^\"]+)\""));
    for (auto it = quoted.globalMatch(outcome); it.hasNext();) {
        promise.texts << it.next().captured(1);
    }
    promise.released =
        (!promise.texts.isEmpty() && promise.texts.last() == QLatin1String("Acesso Livre")) ||
        outcome.contains(QLatin1String("released")) || outcome.contains(QLatin1String("let in"));
    return promise;
}

// The text typed at the terminal: employees of the "00" kind type their short number.
QString typedFor(const demo::CatalogueEntry& entry) {
    if (entry.situation.startsWith(QLatin1String("employee")) &&
        entry.number.startsWith(QLatin1String("00"))) {
        return QStringLiteral("00") + QString::number(entry.number.toLongLong());
    }
    return entry.number;
}

TEST(DemoOutcomes, EveryCatalogueNumberGetsItsOutcomeOnADryRun) {
    test::ensureApplication(); // the pictures are lettered with fonts
    QTemporaryDir dir(qEnvironmentVariable("ORVALEN_TEST_TMP", QDir::tempPath()) +
                      QStringLiteral("/demo-outcomes-XXXXXX"));
    demo::DemoClubOptions options;
    options.members = 60;
    options.branchMembers = 6;
    options.now = QDateTime(QDate(2026, 3, 16), QTime(10, 30));
    const auto summary = demo::createDemoClub(dir.path(), options);
    ASSERT_TRUE(summary.ok()) << summary.error().message.toStdString();

    QFile file(QDir(dir.path()).filePath(QLatin1String(demo::kCatalogueFile)));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QList<demo::CatalogueEntry> entries =
        demo::readCatalogue(QString::fromUtf8(file.readAll()));
    ASSERT_FALSE(entries.isEmpty());

    int checked = 0;
    for (const demo::CatalogueEntry& entry : entries) {
        SCOPED_TRACE(QString(entry.situation + QLatin1Char(' ') + entry.number).toStdString());
        QStringList arguments{QStringLiteral("identify"), QStringLiteral("--datalink-dir"),
                              dir.path(), QStringLiteral("--dry-run")};
        // Members of the second unit are found once that unit is chosen.
        const bool otherUnit = entry.situation.startsWith(QLatin1String("other-branch"));
        if (otherUnit) {
            arguments << QStringLiteral("--branch") << QStringLiteral("2");
        }
        QString output;
        QString errors;
        QTextStream out(&output);
        QTextStream err(&errors);
        ASSERT_EQ(tool::runTool(arguments << typedFor(entry), out, err), 0) << errors.toStdString();
        out.flush();
        const Promise promise = promiseOf(entry);
        qsizetype from = 0;
        for (const QString& text : promise.texts) {
            const qsizetype at = output.indexOf(text, from);
            EXPECT_GE(at, 0) << text.toStdString() << " in\n" << output.toStdString();
            from = at < 0 ? from : at;
        }
        EXPECT_EQ(output.contains(QLatin1String("turnstile release requested")), promise.released)
            << output.toStdString();
        EXPECT_FALSE(output.contains(QLatin1String("error logged"))) << output.toStdString();
        if (otherUnit) {
            EXPECT_TRUE(output.contains(QLatin1String("CODIGO_FILIAL=2"))) << output.toStdString();
        }
        ++checked;
    }
    EXPECT_GT(checked, 0);
}

} // namespace
} // namespace orvalen::test
