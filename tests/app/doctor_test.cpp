#include "store/connection.h"
#include "support/doctor_installation.h"
#include "support/test_database.h"

#include <QDir>
#include <QFile>
#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace orvalen;
using test::DemoInstallation;
using test::ToolRun;

namespace {

// Writes over the root page of an index the way a failing disk or a copy cut short would.
void damageIndex(const DemoInstallation& installation, const char* index) {
    const QString file = installation.file(QStringLiteral("club.db"));
    int rootPage = 0;
    {
        store::ClubConnection club(test::sqliteSpec(file, test::Route::Direct),
                                   QStringLiteral("damage"), store::OpenMode::ReadOnly);
        ASSERT_TRUE(club.open().ok());
        auto rows =
            club.execute(QStringLiteral("SELECT rootpage FROM sqlite_master WHERE name = :N"),
                         {{QStringLiteral(":N"), QLatin1String(index)}});
        ASSERT_TRUE(rows.ok() && rows->next());
        rootPage = rows->value(0).toInt();
    }
    QFile out(file);
    ASSERT_TRUE(out.open(QIODevice::ReadWrite));
    const QByteArray header = out.read(100);
    const int declared = (uchar(header[16]) << 8) | uchar(header[17]);
    const qint64 pageSize = declared == 1 ? 65536 : declared;
    ASSERT_GT(rootPage, 1);
    ASSERT_TRUE(out.seek((rootPage - 1) * pageSize));
    ASSERT_EQ(out.write(QByteArray(pageSize, char(0x5A))), pageSize);
}

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
        {"business date empty",
         [](const DemoInstallation& t) {
             t.change(QStringLiteral("UPDATE caixa SET DATAABERTURA = NULL"));
         },
         {QStringLiteral("DATAABERTURA"), QStringLiteral("refuses every identification")}},
        {"business date that is no date",
         [](const DemoInstallation& t) {
             t.change(QStringLiteral("UPDATE caixa SET DATAABERTURA = '0000-00-00'"));
         },
         {QStringLiteral("\"0000-00-00\""), QStringLiteral("refuses every identification")}},
        {"day rows without a date",
         [](const DemoInstallation& t) {
             t.change(QStringLiteral("INSERT INTO AcessoDia (MATRICULA, DATA, STATUS) VALUES "
                                     "('0000010004', 'garbage', 'L'), ('0000010005', NULL, 'L')"));
         },
         {QStringLiteral("2 AcessoDia row(s)"),
          QStringLiteral("MATRICULA 0000010004, DATA \"garbage\""),
          QStringLiteral("MATRICULA 0000010005, DATA empty")}},
        {"portal switched on without its link",
         [](const DemoInstallation& t) {
             t.change(QStringLiteral("UPDATE Sacvar2 SET AgendamentoAulaPortal = 'Sim'"));
         },
         {QStringLiteral("Velmora.udl")}},
        {"fingers another platform enrolled, with the reader on",
         [](const DemoInstallation& t) {
             t.change(QStringLiteral("UPDATE Sacvar2 SET LEITOR_BIOMETRICO = 'Sim'"));
             t.change(QStringLiteral("UPDATE AlunosAtivos SET DIGITAL = 'AQAAABQAAAD0' WHERE "
                                     "MATRICULA IN (SELECT MATRICULA FROM AlunosAtivos LIMIT 3)"));
             t.change(QStringLiteral("UPDATE Funcionarios SET Digital_Persona = 'x0p' WHERE "
                                     "MATRICULA IN (SELECT MATRICULA FROM Funcionarios LIMIT 1)"));
         },
         {QStringLiteral("AlunosAtivos.DIGITAL: 3"),
          QStringLiteral("Funcionarios.Digital_Persona: 1"),
          QStringLiteral("another platform's reader software")}},
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
        {"Windows integrated security",
         [](const DemoInstallation& t) {
             t.write(QStringLiteral("Orvalen.udl"),
                     "[oledb]\r\nProvider=SQLOLEDB.1;Integrated Security=SSPI;Persist Security "
                     "Info=False;Initial Catalog=club;Data Source=server\r\n");
         },
         {QStringLiteral("integrated security"), QStringLiteral("a SQL Server login"),
          QStringLiteral("User ID=LOGIN;Password=PASSWORD")}},
        {"no main link",
         [](const DemoInstallation& t) { QFile::remove(t.file(QStringLiteral("Orvalen.udl"))); },
         {QStringLiteral("Orvalen.udl")}},
        {"activity file replaced by a folder",
         [](const DemoInstallation& t) { QDir().mkdir(t.file(QStringLiteral("Acesso.txt"))); },
         {QStringLiteral("Acesso.txt"), QStringLiteral("Sem Acesso a Atividade")}},
        {"damaged database file",
         [](const DemoInstallation& t) { damageIndex(t, "IX_Funcionarios_MATRICULA"); },
         {QStringLiteral("club.db is damaged"), QStringLiteral("integrity check")}},
        {"damaged and empty fingers, with the reader on",
         [](const DemoInstallation& t) {
             t.change(QStringLiteral("UPDATE Sacvar2 SET LEITOR_BIOMETRICO = 'Sim'"));
             t.change(QStringLiteral("UPDATE AlunosAtivos SET DIGITAL = 'OFT1AAAA' WHERE "
                                     "MATRICULA IN (SELECT MATRICULA FROM AlunosAtivos "
                                     "ORDER BY MATRICULA LIMIT 2)"));
             t.change(QStringLiteral("UPDATE Funcionarios SET DIGITAL = '' WHERE MATRICULA IN "
                                     "(SELECT MATRICULA FROM Funcionarios LIMIT 1)"));
         },
         {QStringLiteral("AlunosAtivos.DIGITAL: 2 ("), QStringLiteral("Funcionarios.DIGITAL: 1 ("),
          QStringLiteral("damaged or empty")}},
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

// What the user who runs the terminal cannot do is a problem even where root could: here the
// club database file and Acesso.txt belong to root alone.
TEST(Doctor, ClubFileAndActivityFileTheUserCannotUse) {
    const DemoInstallation installation;
    installation.write(QStringLiteral("Acesso.txt"), "05\r\n");
    const QString club = installation.file(QStringLiteral("club.db"));
    const QString activities = installation.file(QStringLiteral("Acesso.txt"));
    ASSERT_EQ(chmod(QFile::encodeName(installation.folder()).constData(), 0777), 0);
    ASSERT_EQ(chmod(QFile::encodeName(club).constData(), 0644), 0);
    ASSERT_EQ(chmod(QFile::encodeName(activities).constData(), 0600), 0);
    const ToolRun run =
        test::runToolProcess(installation.doctorArguments(), test::RunAs::OrdinaryUser);
    ASSERT_EQ(chmod(QFile::encodeName(installation.folder()).constData(), 0700), 0);
    EXPECT_EQ(run.status, 1) << run.out.toStdString();
    for (const QString& mention :
         QStringList{QStringLiteral("cannot write the club database file ") + club,
                     QStringLiteral("cannot read the activity file ") + activities,
                     QStringLiteral("Sem Acesso a Atividade"), QStringLiteral("2 problems in")}) {
        EXPECT_TRUE(run.out.contains(mention)) << mention.toStdString() << " not in:\n"
                                               << run.out.toStdString();
    }
}

TEST(Doctor, DataLinkFolderTheUserCannotWrite) {
    const DemoInstallation installation;
    const QByteArray folder = QFile::encodeName(installation.folder());
    const QStringList doctor{QStringLiteral("doctor"), QStringLiteral("--datalink-dir"),
                             installation.folder()};
    // Anyone may read the data links; nobody may add a file beside them.
    ASSERT_EQ(chmod(folder.constData(), 0555), 0);
    const ToolRun readOnly = test::runToolProcess(doctor, test::RunAs::OrdinaryUser);
    ASSERT_EQ(chmod(folder.constData(), 0700), 0);
    EXPECT_EQ(readOnly.status, 1) << readOnly.out.toStdString();
    for (const QString& mention :
         QStringList{QStringLiteral("cannot write the data-link folder ") + installation.folder(),
                     QStringLiteral("Acesso.txt"), QStringLiteral("what to do: let ")}) {
        EXPECT_TRUE(readOnly.out.contains(mention)) << mention.toStdString() << " not in:\n"
                                                    << readOnly.out.toStdString();
    }
    // The club database in that folder cannot be read either: SQLite keeps its write-ahead
    // log (-wal, -shm) beside the file, and says so instead of tables seeming missing.
    EXPECT_TRUE(readOnly.out.contains(QStringLiteral("2 problems in")))
        << readOnly.out.toStdString();
    EXPECT_TRUE(readOnly.out.contains(QStringLiteral("cannot read the database of ") +
                                      installation.folder()))
        << readOnly.out.toStdString();
    // The advice is about rights, not a server that an SQLite club does not have.
    EXPECT_TRUE(readOnly.out.contains(QStringLiteral("belongs to ")) &&
                readOnly.out.contains(QStringLiteral("read and write the file and its folder")))
        << readOnly.out.toStdString();
    EXPECT_FALSE(readOnly.out.contains(QStringLiteral("database server")))
        << readOnly.out.toStdString();

    // The same installation, writable by the user who runs the doctor, is healthy.
    EXPECT_EQ(installation.doctor().status, 0);
}

} // namespace
