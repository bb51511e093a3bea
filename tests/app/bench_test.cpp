#include "support/application.h"
#include "support/test_database.h"
#include "support/tool_process.h"

#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace orvalen;

namespace {

struct ToolRun {
    int status = -1;
    QString out;
    QString err;
};

// The real tool in its own process: the fingerprint library wants a process prepared for it.
ToolRun runTool(const QStringList& arguments) {
    QProcess tool;
    tool.start(test::toolExecutable(), arguments);
    ToolRun run;
    if (!tool.waitForFinished(300000)) {
        run.err = tool.errorString();
        return run;
    }
    run.status = tool.exitCode();
    run.out = QString::fromUtf8(tool.readAllStandardOutput());
    run.err = QString::fromUtf8(tool.readAllStandardError());
    return run;
}

QString tempFolder(const char* name) {
    return qEnvironmentVariable("ORVALEN_TEST_TMP", QDir::tempPath()) + QLatin1Char('/') +
           QLatin1String(name) + QStringLiteral("-XXXXXX");
}

// A small large club: the demo's 400 members and 30 more, so that a run takes seconds.
const QStringList kSmallClub{
    QStringLiteral("--active"),  QStringLiteral("430"),        QStringLiteral("--total"),
    QStringLiteral("1000"),      QStringLiteral("--receipts"), QStringLiteral("20000"),
    QStringLiteral("--history"), QStringLiteral("2000"),       QStringLiteral("--today"),
    QStringLiteral("50"),        QStringLiteral("--classes"),  QStringLiteral("5"),
    QStringLiteral("--fingers"), QStringLiteral("10"),         QStringLiteral("--photos"),
    QStringLiteral("4")};

class ClubFile {
public:
    explicit ClubFile(const QString& folder)
        : club_(test::sqliteSpec(QDir(folder).filePath(QStringLiteral("club.db")),
                                 test::Route::Direct),
                QStringLiteral("bench-test-%1").arg(++opened_)) {
        EXPECT_TRUE(club_.open().ok());
    }
    QVariant value(const QString& sql) {
        auto rows = club_.execute(sql);
        EXPECT_TRUE(rows.ok()) << sql.toStdString();
        return rows.ok() && rows->next() ? rows->value(0) : QVariant();
    }
    qint64 count(const QString& table) {
        return value(QStringLiteral("SELECT COUNT(*) FROM ") + table).toLongLong();
    }

private:
    static inline int opened_ = 0;
    store::ClubConnection club_;
};

class BenchTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        test::ensureApplication();
        folder_ = new QTemporaryDir(tempFolder("bench-club"));
        QStringList arguments{QStringLiteral("bench-club"), folder_->path()};
        const ToolRun created = runTool(arguments + kSmallClub);
        ASSERT_EQ(created.status, 0) << created.out.toStdString() << created.err.toStdString();
        // Progress is shown while it runs.
        ASSERT_TRUE(created.err.contains(QStringLiteral("access history: 100%")))
            << created.err.toStdString();
    }
    static void TearDownTestSuite() { delete folder_; }
    static QString folder() { return folder_->path(); }

private:
    static inline QTemporaryDir* folder_ = nullptr;
};

TEST_F(BenchTest, ClubHasTheSizesAskedFor) {
    ClubFile club(folder());
    EXPECT_EQ(club.count(QStringLiteral("AlunosAtivos")), 430);
    EXPECT_EQ(club.count(QStringLiteral("Alunos")), 1000);
    EXPECT_EQ(club.count(QStringLiteral("RECEB")), 20000);
    EXPECT_EQ(club.count(QStringLiteral("Acesso")), 2000);
    EXPECT_EQ(club.count(QStringLiteral("AcessoDia")), 50);
    EXPECT_EQ(club.count(QStringLiteral("Turma WHERE CODIGO LIKE 'B%'")), 5);
    EXPECT_EQ(club.count(QStringLiteral("FotosAlunos WHERE MATRICULA >= '0000100001'")), 4);
    EXPECT_EQ(club.count(QStringLiteral("Alunos WHERE Digital_Persona IS NOT NULL")), 10);
    EXPECT_EQ(club.count(QStringLiteral("AlunosAtivos WHERE DIGITAL LIKE 'OFT1%'")), 10);
}

TEST_F(BenchTest, SameSeedGivesTheSameClub) {
    QTemporaryDir again(tempFolder("bench-club-again"));
    QStringList arguments{QStringLiteral("bench-club"), again.path()};
    const ToolRun created = runTool(arguments + kSmallClub);
    ASSERT_EQ(created.status, 0) << created.err.toStdString();
    const QString members =
        QStringLiteral("SELECT group_concat(MATRICULA || NOME || MODALIDADE, ',') FROM "
                       "(SELECT * FROM AlunosAtivos ORDER BY MATRICULA)");
    const QString history = QStringLiteral(
        "SELECT group_concat(MATRICULA || STATUS, ',') FROM (SELECT * FROM Acesso LIMIT 500)");
    ClubFile first(folder());
    ClubFile second(again.path());
    EXPECT_EQ(first.value(members), second.value(members));
    EXPECT_EQ(first.value(history), second.value(history));
}

TEST_F(BenchTest, DoctorFindsEveryLookupIndex) {
    const ToolRun doctor =
        runTool({QStringLiteral("doctor"), QStringLiteral("--datalink-dir"), folder()});
    EXPECT_FALSE(doctor.out.contains(QStringLiteral("no index"))) << doctor.out.toStdString();
    EXPECT_TRUE(doctor.out.contains(QStringLiteral("indexes: all"))) << doctor.out.toStdString();
}

// A short run gives every figure and writes the decisions' rows to the database.
TEST_F(BenchTest, RunGivesEveryFigure) {
    const qint64 logged = ClubFile(folder()).count(QStringLiteral("Acesso"));
    const ToolRun run =
        runTool({QStringLiteral("bench"), QStringLiteral("--datalink-dir"), folder(),
                 QStringLiteral("--count"), QStringLiteral("40"), QStringLiteral("--names"),
                 QStringLiteral("3"), QStringLiteral("--fingers"), QStringLiteral("10"),
                 QStringLiteral("--json")});
    ASSERT_EQ(run.status, 0) << run.out.toStdString() << run.err.toStdString();
    const QJsonObject figures = QJsonDocument::fromJson(run.out.toUtf8()).object();
    for (const char* key : {"decision_p50_ms", "decision_p95_ms", "decision_p99_ms", "reset_ms",
                            "name_key_ms", "fingerprint_ms", "fingerprint_p95_ms",
                            "fingerprint_busy_p95_ms", "startup_ms", "rss_mb", "baseline_ratio"}) {
        SCOPED_TRACE(key);
        ASSERT_TRUE(figures.value(QLatin1String(key)).isDouble()) << run.out.toStdString();
        EXPECT_GT(figures.value(QLatin1String(key)).toDouble(), 0);
    }
    EXPECT_LE(figures.value(QStringLiteral("decision_p50_ms")).toDouble(),
              figures.value(QStringLiteral("decision_p99_ms")).toDouble());
    EXPECT_EQ(figures.value(QStringLiteral("identifications")).toInt(), 40);
    EXPECT_EQ(figures.value(QStringLiteral("active_members")).toInt(), 430);
    EXPECT_EQ(figures.value(QStringLiteral("fingerprint_enrolled")).toInt(), 10);
    // The sample finger enrolled last is the one found.
    EXPECT_TRUE(figures.value(QStringLiteral("fingerprint_note"))
                    .toString()
                    .contains(QStringLiteral("the match last")))
        << run.out.toStdString();
    EXPECT_GT(ClubFile(folder()).count(QStringLiteral("Acesso")), logged);
}

TEST(BenchOptions, RefusedWithTheReason) {
    QTemporaryDir empty(tempFolder("bench-empty"));
    const struct {
        QStringList arguments;
        int status;
        QString says;
    } cases[] = {
        {{QStringLiteral("bench-club"), empty.path(), QStringLiteral("--active"),
          QStringLiteral("500"), QStringLiteral("--fingers"), QStringLiteral("200")},
         2,
         QStringLiteral("--fingers (200)")},
        {{QStringLiteral("bench-club"), empty.path(), QStringLiteral("--history"),
          QStringLiteral("many")},
         2,
         QStringLiteral("--history needs a whole number")},
        {{QStringLiteral("bench"), QStringLiteral("--count"), QStringLiteral("0")},
         2,
         QStringLiteral("--count needs a whole number from 1")},
        {{QStringLiteral("bench"), QStringLiteral("--datalink-dir"), empty.path()},
         1,
         QStringLiteral("Orvalen.udl")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments.join(QLatin1Char(' ')).toStdString());
        const ToolRun run = runTool(c.arguments);
        EXPECT_EQ(run.status, c.status);
        EXPECT_TRUE(run.err.contains(c.says)) << run.err.toStdString();
    }
}

// A demo club with devices reads its members at the keypad; bench, which types at the
// keyboard, says so and what to do, and the same club with its devices off is timed.
TEST(BenchOptions, DevicesClubNamesTheWayOut) {
    test::ensureApplication();
    QTemporaryDir dir(tempFolder("bench-devices"));
    const QString club = dir.filePath(QStringLiteral("club"));
    const QStringList create{QStringLiteral("demo"), QStringLiteral("create"), club,
                             QStringLiteral("--members"), QStringLiteral("30")};
    const QStringList bench{QStringLiteral("bench"),
                            QStringLiteral("--datalink-dir"),
                            club,
                            QStringLiteral("--count"),
                            QStringLiteral("5"),
                            QStringLiteral("--names"),
                            QStringLiteral("2"),
                            QStringLiteral("--fingers"),
                            QStringLiteral("0")};
    ASSERT_EQ(runTool(create + QStringList{QStringLiteral("--devices")}).status, 0);
    const ToolRun refused = runTool(bench);
    EXPECT_EQ(refused.status, 1);
    EXPECT_TRUE(refused.err.contains(QStringLiteral("identify at a reader")) &&
                refused.err.contains(QStringLiteral("demo create DIR --no-devices")))
        << refused.err.toStdString();

    const ToolRun off = runTool(create + QStringList{QStringLiteral("--no-devices")});
    ASSERT_EQ(off.status, 0) << off.err.toStdString();
    EXPECT_TRUE(off.out.contains(QStringLiteral("devices: none"))) << off.out.toStdString();
    const ToolRun timed = runTool(bench);
    EXPECT_EQ(timed.status, 0) << timed.err.toStdString();
}

} // namespace
