#include "app/tool/tool.h"
#include "demo_club/demo_club.h"
#include "store/db_values.h"
#include "support/application.h"
#include "support/test_database.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <functional>
#include <grp.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace orvalen;

namespace {

struct ToolRun {
    int status = 0;
    QString out;
};

ToolRun runTool(const QStringList& arguments) {
    ToolRun run;
    QString err;
    QTextStream out(&run.out);
    QTextStream errors(&err);
    run.status = tool::runTool(arguments, out, errors);
    out.flush();
    run.out += err;
    return run;
}

// A fresh small demo club created through the command, as an installer would.
class DemoInstallation {
public:
    DemoInstallation() {
        test::ensureApplication(); // the pictures are lettered with fonts
        const ToolRun created =
            runTool({QStringLiteral("demo"), QStringLiteral("create"), dir_.path(),
                     QStringLiteral("--members"), QStringLiteral("30")});
        EXPECT_EQ(created.status, 0) << created.out.toStdString();
    }

    ToolRun doctor() const {
        return runTool({QStringLiteral("doctor"), QStringLiteral("--datalink-dir"), dir_.path()});
    }

    // Changes the club database behind the doctor's back; :DAY is yesterday.
    void change(const QString& sql) const {
        store::ClubConnection club(
            test::sqliteSpec(file(QStringLiteral("club.db")), test::Route::Direct),
            QStringLiteral("doctor-test"));
        ASSERT_TRUE(club.open().ok());
        store::Bindings bindings;
        if (sql.contains(QLatin1String(":DAY"))) {
            bindings.emplace_back(
                QStringLiteral(":DAY"),
                store::dateValue(club.dialect(), QDate::currentDate().addDays(-1)));
        }
        const auto result = club.execute(sql, bindings);
        ASSERT_TRUE(result.ok()) << result.error().message.toStdString();
    }

    QString file(const QString& name) const { return QDir(dir_.path()).filePath(name); }
    QString folder() const { return dir_.path(); }

private:
    QTemporaryDir dir_{qEnvironmentVariable("ORVALEN_TEST_TMP", QDir::tempPath()) +
                       QStringLiteral("/doctor-XXXXXX")};
};

TEST(Doctor, DemoClubIsHealthy) {
    const DemoInstallation installation;
    const ToolRun run = installation.doctor();
    EXPECT_EQ(run.status, 0) << run.out.toStdString();
    EXPECT_TRUE(run.out.contains(QStringLiteral("all is well"))) << run.out.toStdString();
}

TEST(Doctor, NamesEachProblemWithWhatToDo) {
    const struct {
        const char* name;
        std::function<void(const DemoInstallation&)> breakIt;
        QStringList mentions;
    } cases[] = {
        {"dropped table",
         [](const DemoInstallation& t) { t.change(QStringLiteral("DROP TABLE Turma")); },
         {QStringLiteral("table Turma")}},
        {"dropped column",
         [](const DemoInstallation& t) {
             t.change(QStringLiteral("ALTER TABLE Sacvar2 DROP COLUMN QTD_ACESSO"));
         },
         {QStringLiteral("Sacvar2.QTD_ACESSO")}},
        {"letters in a number",
         [](const DemoInstallation& t) {
             t.change(QStringLiteral("UPDATE Sacvar SET ACESSO_TEMPO = 'dois'"));
         },
         {QStringLiteral("Sacvar.ACESSO_TEMPO"), QStringLiteral("\"dois\"")}},
        {"empty number",
         [](const DemoInstallation& t) {
             t.change(QStringLiteral("UPDATE Sacvar2 SET STOPBIT = NULL"));
         },
         {QStringLiteral("Sacvar2.STOPBIT")}},
        {"no settings row",
         [](const DemoInstallation& t) { t.change(QStringLiteral("DELETE FROM Sacvar")); },
         {QStringLiteral("Sacvar has no row")}},
        {"cash closed",
         [](const DemoInstallation& t) {
             t.change(QStringLiteral("UPDATE CaixaControle SET ABERTO = 0"));
         },
         {QStringLiteral("\"Por favor abrir o CAIXA !\"")}},
        {"cash of yesterday",
         [](const DemoInstallation& t) {
             t.change(QStringLiteral("UPDATE CaixaControle SET DATA = :DAY"));
         },
         {QStringLiteral("\"Por favor fechar o CAIXA do dia anterior!\"")}},
        {"no cash period",
         [](const DemoInstallation& t) { t.change(QStringLiteral("DELETE FROM caixa")); },
         {QStringLiteral("no business date")}},
        {"portal switched on without its link",
         [](const DemoInstallation& t) {
             t.change(QStringLiteral("UPDATE Sacvar2 SET AgendamentoAulaPortal = 'Sim'"));
         },
         {QStringLiteral("Velmora.udl")}},
        {"no branch link",
         [](const DemoInstallation& t) {
             QFile::remove(t.file(QStringLiteral("OrvalenFilial.udl")));
         },
         {QStringLiteral("OrvalenFilial.udl is missing")}},
        {"lookup index dropped",
         [](const DemoInstallation& t) {
             t.change(QStringLiteral("DROP INDEX IX_RECEB_MATRICULA"));
         },
         {QStringLiteral("no index on RECEB (MATRICULA)"),
          QStringLiteral("CREATE INDEX IF NOT EXISTS IX_RECEB_MATRICULA ON RECEB (MATRICULA)")}},
        {"name index compares with regard to case",
         [](const DemoInstallation& t) {
             t.change(QStringLiteral("DROP INDEX AlunosAtivos_NOME_NOCASE"));
             t.change(QStringLiteral("CREATE INDEX by_name ON AlunosAtivos (NOME, MATRICULA)"));
         },
         {QStringLiteral("no index on AlunosAtivos (NOME, MATRICULA)"),
          QStringLiteral("ON AlunosAtivos (NOME COLLATE NOCASE, MATRICULA)")}},
        {"no main link",
         [](const DemoInstallation& t) { QFile::remove(t.file(QStringLiteral("Orvalen.udl"))); },
         {QStringLiteral("Orvalen.udl")}},
        {"database file gone",
         [](const DemoInstallation& t) { QFile::remove(t.file(QStringLiteral("club.db"))); },
         {QStringLiteral("club.db"), QStringLiteral("does not exist")}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const DemoInstallation installation;
        c.breakIt(installation);
        const ToolRun run = installation.doctor();
        EXPECT_EQ(run.status, 1) << run.out.toStdString();
        EXPECT_TRUE(run.out.contains(QStringLiteral("what to do:"))) << run.out.toStdString();
        for (const QString& mention : c.mentions) {
            EXPECT_TRUE(run.out.contains(mention)) << mention.toStdString() << " not in:\n"
                                                   << run.out.toStdString();
        }
    }
}

// The check must not leave an empty database where the club's file was missing.
TEST(Doctor, LeavesMissingDatabaseUncreated) {
    const DemoInstallation installation;
    QFile::remove(installation.file(QStringLiteral("club.db")));
    EXPECT_EQ(installation.doctor().status, 1);
    EXPECT_FALSE(QFile::exists(installation.file(QStringLiteral("club.db"))));
}

// The index advice is advice: the club's database keeps what it had.
TEST(Doctor, CreatesNoIndex) {
    const DemoInstallation installation;
    installation.change(QStringLiteral("DROP INDEX IX_Funcionarios_MATRICULA"));
    EXPECT_EQ(installation.doctor().status, 1);
    const ToolRun again = installation.doctor();
    EXPECT_EQ(again.status, 1);
    EXPECT_TRUE(again.out.contains(QStringLiteral("no index on Funcionarios (MATRICULA)")))
        << again.out.toStdString();
}

// The real tool, run as an ordinary user: root may write any folder, so under root the
// child drops to nobody before it starts.
ToolRun runToolAsOrdinaryUser(const QStringList& arguments) {
    QProcess tool;
    if (geteuid() == 0) {
        tool.setChildProcessModifier([] {
            const uid_t nobody = 65534;
            if (setgroups(0, nullptr) != 0 || setgid(nobody) != 0 || setuid(nobody) != 0) {
                _exit(125);
            }
        });
    }
    tool.setProcessChannelMode(QProcess::MergedChannels);
    tool.start(
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("../src/app/orvalen")),
        arguments);
    ToolRun run;
    if (!tool.waitForFinished(60000)) {
        run.status = -1;
        run.out = tool.errorString();
        return run;
    }
    run.status = tool.exitCode();
    run.out = QString::fromUtf8(tool.readAll());
    return run;
}

TEST(Doctor, DataLinkFolderTheUserCannotWrite) {
    const DemoInstallation installation;
    const QByteArray folder = QFile::encodeName(installation.folder());
    const QStringList doctor{QStringLiteral("doctor"), QStringLiteral("--datalink-dir"),
                             installation.folder()};
    // Anyone may read the data links; nobody may add a file beside them.
    ASSERT_EQ(chmod(folder.constData(), 0555), 0);
    const ToolRun readOnly = runToolAsOrdinaryUser(doctor);
    ASSERT_EQ(chmod(folder.constData(), 0700), 0);
    EXPECT_EQ(readOnly.status, 1) << readOnly.out.toStdString();
    for (const QString& mention :
         QStringList{QStringLiteral("cannot write the data-link folder ") + installation.folder(),
                     QStringLiteral("Acesso.txt"), QStringLiteral("what to do: let ")}) {
        EXPECT_TRUE(readOnly.out.contains(mention)) << mention.toStdString() << " not in:\n"
                                                    << readOnly.out.toStdString();
    }
    // The rest of the installation is still examined and found sound.
    EXPECT_TRUE(readOnly.out.contains(QStringLiteral("1 problem in")))
        << readOnly.out.toStdString();

    // The same installation, writable by the user who runs the doctor, is healthy.
    EXPECT_EQ(installation.doctor().status, 0);
}

} // namespace
