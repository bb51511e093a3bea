#include "support/application.h"
#include "support/tool_process.h"

#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>
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

TEST(Soak, ManyIdentificationsKeepMemoryFlatAndEveryRow) {
    ensureApplication();
    QTemporaryDir dir(qEnvironmentVariable("ORVALEN_TEST_TMP", QDir::tempPath()) +
                      QStringLiteral("/soak-XXXXXX"));
    const FinishedProcess prepared =
        runLoadTool({QStringLiteral("prepare"), dir.path(), QStringLiteral("--members"),
                     QString::number(kMembers)},
                    kProcessMs);
    ASSERT_EQ(prepared.exitCode, 0) << prepared.err.toStdString();

    const QString ledger = dir.filePath(QStringLiteral("ledger.tsv"));
    const FinishedProcess run =
        runLoadTool({QStringLiteral("run"), dir.path(), QStringLiteral("--count"),
                     QString::number(kIdentifications), QStringLiteral("--ledger"), ledger},
                    kProcessMs);
    EXPECT_EQ(run.exitCode, 0) << run.out.toStdString() << run.err.toStdString();
    const QJsonObject summary = QJsonDocument::fromJson(run.out.toUtf8()).object();
    EXPECT_EQ(summary.value(QStringLiteral("identifications")).toInt(), kIdentifications);
    const qint64 warmedUp = summary.value(QStringLiteral("rss_kb_warmed_up")).toInteger();
    const qint64 end = summary.value(QStringLiteral("rss_kb_end")).toInteger();
    ASSERT_GT(warmedUp, 0) << run.out.toStdString();
    EXPECT_LT(end - warmedUp, kGrowthAllowedKb) << run.out.toStdString();

    const FinishedProcess checked =
        runLoadTool({QStringLiteral("check"), dir.path(), ledger}, kProcessMs);
    EXPECT_EQ(checked.exitCode, 0) << checked.out.toStdString() << checked.err.toStdString();
    EXPECT_TRUE(checked.out.contains(QLatin1String("faults 0"))) << checked.out.toStdString();
}

} // namespace
} // namespace orvalen::test
