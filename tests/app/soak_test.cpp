#include "support/application.h"

#include <QCoreApplication>
#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace orvalen::test {
namespace {

// One terminal identifying over and over on one database (the documented soak runs 10,000):
// no error, every row the terminal wrote is in the database once, and the resident memory
// after the warm-up stays where it was.
constexpr int kIdentifications = 1500;
constexpr int kMembers = 60;
// What a run of this length may add after its first tenth: the database's own page cache
// and Qt's pools settle well inside it; a leak of one photo (some kilobytes) per person
// does not.
constexpr qint64 kGrowthAllowedKb = 3072;
constexpr int kProcessMs = 280000;

QString loadExecutable() {
    ensureApplication();
    return QDir(QCoreApplication::applicationDirPath())
        .filePath(QStringLiteral("../tools/load/orvalen-load"));
}

QString run(const QStringList& arguments, int& exitCode) {
    QProcess process;
    process.start(loadExecutable(), arguments);
    if (!process.waitForFinished(kProcessMs)) {
        process.kill();
        process.waitForFinished();
    }
    exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    const QString errors = QString::fromUtf8(process.readAllStandardError());
    if (exitCode != 0) {
        ADD_FAILURE() << errors.toStdString();
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

TEST(Soak, ManyIdentificationsKeepMemoryFlatAndEveryRow) {
    QTemporaryDir dir(qEnvironmentVariable("ORVALEN_TEST_TMP", QDir::tempPath()) +
                      QStringLiteral("/soak-XXXXXX"));
    int exitCode = -1;
    const QString prepared = run({QStringLiteral("prepare"), dir.path(),
                                  QStringLiteral("--members"), QString::number(kMembers)},
                                 exitCode);
    ASSERT_EQ(exitCode, 0) << prepared.toStdString();

    const QString ledger = dir.filePath(QStringLiteral("ledger.tsv"));
    const QString output =
        run({QStringLiteral("run"), dir.path(), QStringLiteral("--count"),
             QString::number(kIdentifications), QStringLiteral("--ledger"), ledger},
            exitCode);
    EXPECT_EQ(exitCode, 0) << output.toStdString();
    const QJsonObject summary = QJsonDocument::fromJson(output.toUtf8()).object();
    EXPECT_EQ(summary.value(QStringLiteral("identifications")).toInt(), kIdentifications);
    const qint64 warmedUp = summary.value(QStringLiteral("rss_kb_warmed_up")).toInteger();
    const qint64 end = summary.value(QStringLiteral("rss_kb_end")).toInteger();
    ASSERT_GT(warmedUp, 0) << output.toStdString();
    EXPECT_LT(end - warmedUp, kGrowthAllowedKb) << output.toStdString();

    const QString checked = run({QStringLiteral("check"), dir.path(), ledger}, exitCode);
    EXPECT_EQ(exitCode, 0) << checked.toStdString();
    EXPECT_TRUE(checked.contains(QLatin1String("faults 0"))) << checked.toStdString();
}

} // namespace
} // namespace orvalen::test
