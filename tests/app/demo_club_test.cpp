#include "demo_club/demo_club.h"
#include "demo_club/member_catalogue.h"
#include "store/datalink.h"
#include "store/db_values.h"
#include "store/local_settings.h"
#include "store/schema.h"
#include "support/application.h"
#include "support/test_database.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <optional>

using namespace orvalen;

namespace {

const QDateTime kCreated(QDate(2026, 3, 15), QTime(10, 30));
constexpr int kMembers = 60;

QString tempTemplate() {
    const QString root = qEnvironmentVariable("ORVALEN_TEST_TMP", QDir::tempPath());
    QDir().mkpath(root);
    return root + QStringLiteral("/demo-XXXXXX");
}

std::unique_ptr<store::ClubConnection> openClub(const QString& file) {
    static int counter = 0;
    auto connection = std::make_unique<store::ClubConnection>(
        test::sqliteSpec(file, test::Route::Direct), QStringLiteral("demo-test-%1").arg(counter++));
    EXPECT_TRUE(connection->open().ok());
    return connection;
}

QVariant scalar(const store::ClubConnection& club, const QString& sql,
                const store::Bindings& bindings = {}) {
    auto query = club.execute(sql, bindings);
    EXPECT_TRUE(query.ok()) << sql.toStdString() << ": "
                            << (query ? "" : query.error().message.toStdString());
    return query && query->next() ? query->value(0) : QVariant();
}

int count(const store::ClubConnection& club, const QString& sql,
          const store::Bindings& bindings = {}) {
    return scalar(club, sql, bindings).toInt();
}

class DemoClubTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        test::ensureApplication(); // the pictures are lettered with fonts
        dir_ = new QTemporaryDir(tempTemplate());
        demo::DemoClubOptions options;
        options.members = kMembers;
        options.branchMembers = 6;
        options.now = kCreated;
        const auto summary = demo::createDemoClub(dir_->path(), options);
        ASSERT_TRUE(summary.ok()) << summary.error().message.toStdString();
        EXPECT_TRUE(summary->created);
        EXPECT_EQ(summary->members, kMembers);
    }
    static void TearDownTestSuite() {
        delete dir_;
        dir_ = nullptr;
    }
    void SetUp() override { club_ = openClub(path(QStringLiteral("club.db"))); }

    static QString path(const QString& name) { return QDir(dir_->path()).filePath(name); }
    const store::ClubConnection& club() const { return *club_; }

    static QTemporaryDir* dir_;
    std::unique_ptr<store::ClubConnection> club_;
};

QTemporaryDir* DemoClubTest::dir_ = nullptr;

TEST_F(DemoClubTest, BuildsCompleteClubWithSettingsOperatorsAndOpenCash) {
    EXPECT_EQ(store::missingFromSchema(club().database()), QStringList());
    EXPECT_EQ(count(club(), QStringLiteral("SELECT COUNT(*) FROM AlunosAtivos")), kMembers);

    for (const char* table : {"Sacvar", "Sacvar2"}) {
        const QString name = QLatin1String(table);
        EXPECT_EQ(count(club(), QStringLiteral("SELECT COUNT(*) FROM %1").arg(name)), 1) << table;
        auto row = club().execute(QStringLiteral("SELECT * FROM %1").arg(name));
        ASSERT_TRUE(row.ok() && row->next());
        const QSqlRecord record = row->record();
        for (int i = 0; i < record.count(); ++i) {
            EXPECT_FALSE(record.isNull(i)) << table << "." << record.fieldName(i).toStdString();
        }
    }
    EXPECT_EQ(scalar(club(), QStringLiteral("SELECT ACESSO_TEMPO FROM Sacvar")).toString(),
              QStringLiteral("2000"));
    EXPECT_EQ(scalar(club(), QStringLiteral("SELECT ROLETA FROM Sacvar")).toString(),
              QStringLiteral("NADA"));
    EXPECT_EQ(scalar(club(), QStringLiteral("SELECT LEITOR_BIOMETRICO FROM Sacvar2")).toString(),
              QStringLiteral("Não"));
    EXPECT_EQ(
        scalar(club(), QStringLiteral("SELECT SENHA FROM Usuarios WHERE CODIGO = '01'")).toString(),
        QStringLiteral("1234"));
    EXPECT_EQ(count(club(), QStringLiteral("SELECT COUNT(*) FROM Filial")), 2);
    EXPECT_GE(
        count(club(), QStringLiteral("SELECT COUNT(*) FROM MENSALIDADES WHERE ACESSOLIVRE = 1")),
        1);

    const auto day = store::dateValue(club().dialect(), kCreated.date());
    auto cash = club().execute(
        QStringLiteral("SELECT DATAABERTURA, ATIVO, TERMINO FROM caixa ORDER BY rowid DESC"));
    ASSERT_TRUE(cash.ok() && cash->next());
    EXPECT_EQ(store::readDate(cash->value(0)), kCreated.date());
    EXPECT_TRUE(store::readBool(cash->value(1)));
    EXPECT_FALSE(store::readBool(cash->value(2)));
    EXPECT_EQ(
        count(club(),
              QStringLiteral("SELECT COUNT(*) FROM CaixaControle WHERE DATA = :D AND ABERTO = 1 "
                             "AND CONTADORPDR > 0"),
              {{QStringLiteral(":D"), day}}),
        1);
    // The business date compares equal with the Gympass releases written for it.
    EXPECT_GE(count(club(), QStringLiteral("SELECT COUNT(*) FROM LiberaGympass WHERE Data = :D"),
                    {{QStringLiteral(":D"), day}}),
              1);

    const auto branch = openClub(path(QStringLiteral("filial2.db")));
    EXPECT_EQ(store::missingFromSchema(branch->database()), QStringList());
    EXPECT_EQ(count(*branch, QStringLiteral("SELECT COUNT(*) FROM AlunosAtivos")), 6);
}

TEST_F(DemoClubTest, WritesDataLinksTheTerminalReads) {
    const struct {
        const char* file;
        const char* source;
    } links[] = {{"Orvalen.udl", "club.db"}, {"OrvalenFilial.udl", "filial2.db"}};
    for (const auto& expected : links) {
        QFile file(path(QLatin1String(expected.file)));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << expected.file;
        EXPECT_TRUE(file.readAll().startsWith(QByteArray("\xFF\xFE[\0o\0l\0e\0d\0b\0]\0", 16)))
            << expected.file;
        const auto link = store::readDataLink(file.fileName());
        ASSERT_TRUE(link.ok()) << link.error().message.toStdString();
        EXPECT_EQ(link->encoding, store::DataLink::Encoding::Utf16LeBom);
        EXPECT_EQ(link->provider(), QStringLiteral("SQLite"));
        EXPECT_EQ(link->property(QStringLiteral("Data Source")), QLatin1String(expected.source));
    }
    const auto local = store::LocalSettings::load(dir_->path());
    ASSERT_TRUE(local.ok()) << local.error().message.toStdString();
    EXPECT_EQ(local->odbcDriver, QStringLiteral("FreeTDS"));
}

TEST_F(DemoClubTest, EveryoneHasDecodablePortrait) {
    for (const char* people : {"AlunosAtivos", "Funcionarios"}) {
        const QString photos = QLatin1String(people) == QLatin1String("AlunosAtivos")
                                   ? QStringLiteral("FotosAlunos")
                                   : QStringLiteral("FotosFuncionarios");
        auto rows = club().execute(
            QStringLiteral(
                "SELECT P.MATRICULA, F.FOTO1 FROM %1 P LEFT JOIN %2 F ON F.MATRICULA = P.MATRICULA")
                .arg(QLatin1String(people), photos));
        ASSERT_TRUE(rows.ok());
        int seen = 0;
        while (rows->next()) {
            const QImage image = QImage::fromData(rows->value(1).toByteArray(), "JPEG");
            EXPECT_EQ(image.size(), QSize(160, 200)) << rows->value(0).toString().toStdString();
            ++seen;
        }
        EXPECT_GT(seen, 0) << people;
    }
    const QImage logo = QImage::fromData(
        scalar(club(), QStringLiteral("SELECT LOGOACADEMIA1 FROM Sacvar")).toByteArray(), "JPEG");
    EXPECT_FALSE(logo.isNull());
}

// What each situation of the catalogue must look like in the database, on 15/03/2026
// with a tolerance of 5 days.
TEST_F(DemoClubTest, CatalogueNumbersShowTheirSituation) {
    QFile file(path(QLatin1String(demo::kCatalogueFile)));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(file.readAll());
    EXPECT_TRUE(text.contains(QStringLiteral("operator 01 password 1234")));
    const QList<demo::CatalogueEntry> entries = demo::readCatalogue(text);

    const auto active = [](const char* condition) -> QString {
        return QStringLiteral("SELECT COUNT(*) FROM AlunosAtivos WHERE MATRICULA = :M AND ") +
               QLatin1String(condition);
    };
    const auto receipt = [](const char* month, bool present) -> QString {
        return QStringLiteral(
                   "SELECT COUNT(*) FROM AlunosAtivos WHERE MATRICULA = :M AND %1 EXISTS "
                   "(SELECT 1 FROM RECEB R WHERE R.MATRICULA = :M AND R.MES || '/' || R.ANO = "
                   "'%2')")
            .arg(present ? QString() : QStringLiteral("NOT"), QLatin1String(month));
    };
    const struct {
        const char* situation;
        QStringList queries; // each must count 1 for every number of the situation
    } cases[] = {
        {"paid", {receipt("03/2026", true)}},
        {"within-tolerance",
         {receipt("03/2026", false), receipt("04/2026", false), receipt("02/2026", true),
          active("DIA_VENCIMENTO BETWEEN 10 AND 14")}},
        {"overdue",
         {receipt("02/2026", false), receipt("03/2026", false), receipt("04/2026", false)}},
        {"paid-ahead",
         {receipt("03/2026", false), receipt("04/2026", true), active("DIA_VENCIMENTO < 15")}},
        {"locked", {active("DATA_TRANCAMENTO <= '2026-03-15'")}},
        {"transfer", {active("REPASSE >= '2026-03-15'")}},
        {"transfer-over", {active("REPASSE < '2026-03-15'")}},
        {"scholarship",
         {active("BOLSISTA = 1 AND (VALIDADE_BOLSA IS NULL OR VALIDADE_BOLSA >= '2026-03-15')")}},
        {"scholarship-over", {active("BOLSISTA = 1 AND VALIDADE_BOLSA < '2026-03-15'")}},
        {"free-access",
         {active("MODALIDADE IN (SELECT CODIGO FROM MENSALIDADES WHERE ACESSOLIVRE = 1) "
                 "AND PLANOS IS NULL AND Gympass = 0")}},
        {"record-hold", {active("BLOQUEIA_ROLETA = 1")}},
        {"pending-balance", {active("PENDENCIA > 0")}},
        {"medical-expired", {active("DATA_MEDICA < '2025-02-28'")}},
        {"functional-expired",
         {active("DATA_FUNCIONAL < '2025-02-28' AND DATA_MEDICA > '2025-03-15'")}},
        {"class-in-hours",
         {active("TURMA_A IN (SELECT CODIGO FROM Turma WHERE DOM = 1 AND SEG = 1 AND SAB = 1)")}},
        // 15/03/2026 is a Sunday.
        {"class-out-of-hours", {active("TURMA_A IN (SELECT CODIGO FROM Turma WHERE DOM = 0)")}},
        {"booked-class",
         {active("EXISTS (SELECT 1 FROM FrequenciaAula F, ALUNOSATIVIDADES A WHERE "
                 "F.MATRICULA = :M AND F.DATA = '2026-03-15 00:00:00.000' AND A.MATRICULA = :M "
                 "AND A.ATIVIDADE = substr(F.ATIVIDADE, 1, 2))")}},
        {"booked-wrong-activity",
         {active("EXISTS (SELECT 1 FROM FrequenciaAula F WHERE F.MATRICULA = :M AND "
                 "F.DATA = '2026-03-15 00:00:00.000' AND NOT EXISTS (SELECT 1 FROM "
                 "ALUNOSATIVIDADES A WHERE A.MATRICULA = :M AND A.ATIVIDADE = "
                 "substr(F.ATIVIDADE, 1, 2)))")}},
        {"gympass-released",
         {active("Gympass = 1 AND EXISTS (SELECT 1 FROM LiberaGympass L WHERE "
                 "L.Matricula = :M AND L.Data = '2026-03-15 00:00:00.000')")}},
        {"gympass-not-released",
         {active("Gympass = 1 AND NOT EXISTS (SELECT 1 FROM LiberaGympass L "
                 "WHERE L.Matricula = :M)")}},
        {"birthday", {active("substr(DATA_NASCIMENTO, 6, 5) = '03-15'")}},
        {"personal-message", {active("MENSAGEM <> ''")}},
        {"left-club", {active("SAIDA IS NOT NULL")}},
        {"inactive",
         {QStringLiteral("SELECT COUNT(*) FROM Alunos WHERE Matricula = :M AND NOT EXISTS "
                         "(SELECT 1 FROM AlunosAtivos WHERE MATRICULA = :M)")}},
        {"unknown", {QStringLiteral("SELECT 1 - COUNT(*) FROM Alunos WHERE Matricula = :M")}},
        {"employee",
         {QStringLiteral(
             "SELECT COUNT(*) FROM Funcionarios WHERE MATRICULA = :M AND MATRICULA LIKE "
             "'00%' AND DATA_DEMISSAO IS NULL AND ACESSOLIBERADO IS NULL")}},
        {"employee-card",
         {QStringLiteral("SELECT COUNT(*) FROM Funcionarios WHERE MATRICULA = :M AND MATRICULA "
                         "LIKE '91%' AND ACESSOLIBERADO = '03/2026'")}},
        {"employee-dismissed",
         {QStringLiteral("SELECT COUNT(*) FROM Funcionarios WHERE MATRICULA = :M AND "
                         "DATA_DEMISSAO < '2026-03-15'")}},
        {"employee-month-over",
         {QStringLiteral("SELECT COUNT(*) FROM Funcionarios WHERE MATRICULA = :M AND "
                         "DATA_DEMISSAO IS NULL AND ACESSOLIBERADO = '01/2026'")}},
        {"visitor", {QStringLiteral("SELECT COUNT(*) FROM Usuarios WHERE :M = '0000999999'")}},
    };
    for (const auto& c : cases) {
        int numbers = 0;
        for (const demo::CatalogueEntry& entry : entries) {
            if (entry.situation != QLatin1String(c.situation)) {
                continue;
            }
            ++numbers;
            for (const QString& query : c.queries) {
                EXPECT_GE(count(club(), query, {{QStringLiteral(":M"), entry.number}}), 1)
                    << c.situation << " " << entry.number.toStdString() << ": "
                    << query.toStdString();
            }
        }
        EXPECT_GE(numbers, 1) << "no number for " << c.situation;
    }
    const auto branch = openClub(path(QStringLiteral("filial2.db")));
    for (const demo::CatalogueEntry& entry : entries) {
        if (entry.situation.startsWith(QLatin1String("other-branch"))) {
            EXPECT_EQ(
                count(*branch,
                      QStringLiteral("SELECT COUNT(*) FROM AlunosAtivos WHERE MATRICULA = :M"),
                      {{QStringLiteral(":M"), entry.number}}),
                1);
            EXPECT_EQ(count(club(),
                            QStringLiteral("SELECT COUNT(*) FROM Alunos WHERE Matricula = :M"),
                            {{QStringLiteral(":M"), entry.number}}),
                      0);
        }
    }
}

demo::DemoClubOptions smallClub() {
    demo::DemoClubOptions options;
    options.members = 30;
    options.branchMembers = 3;
    options.now = kCreated;
    return options;
}

TEST(DemoClubRerun, KeepsDataAndOpensCashForTheNewDay) {
    test::ensureApplication();
    QTemporaryDir dir(tempTemplate());
    demo::DemoClubOptions options = smallClub();
    ASSERT_TRUE(demo::createDemoClub(dir.path(), options).ok());
    const auto club = openClub(QDir(dir.path()).filePath(QStringLiteral("club.db")));
    const int receipts = count(*club, QStringLiteral("SELECT COUNT(*) FROM RECEB"));
    const int periods = count(*club, QStringLiteral("SELECT COUNT(*) FROM caixa"));
    // The operator closes the day and a member is added at the desk.
    club->execute(QStringLiteral("UPDATE caixa SET ATIVO = 0, TERMINO = 1"));
    club->execute(QStringLiteral("UPDATE CaixaControle SET ABERTO = 0"));
    club->execute(QStringLiteral(
        "INSERT INTO AlunosAtivos (MATRICULA, NOME) VALUES ('0000077777', 'Nova Aluna')"));

    const struct {
        QDateTime now;
        int newPeriods;
    } runs[] = {{kCreated.addSecs(3600), 0},
                {kCreated.addDays(2), 1},
                {kCreated.addDays(2).addSecs(60), 0}};
    int expectedPeriods = periods;
    for (const auto& run : runs) {
        options.now = run.now;
        const auto summary = demo::createDemoClub(dir.path(), options);
        ASSERT_TRUE(summary.ok()) << summary.error().message.toStdString();
        EXPECT_FALSE(summary->created);
        EXPECT_EQ(summary->members, 31);
        expectedPeriods += run.newPeriods;
        EXPECT_EQ(count(*club, QStringLiteral("SELECT COUNT(*) FROM caixa")), expectedPeriods);
        auto last = club->execute(
            QStringLiteral("SELECT DATAABERTURA, ATIVO, TERMINO FROM caixa ORDER BY rowid DESC"));
        ASSERT_TRUE(last.ok() && last->next());
        EXPECT_EQ(store::readDate(last->value(0)), run.now.date());
        EXPECT_TRUE(store::readBool(last->value(1)));
        EXPECT_FALSE(store::readBool(last->value(2)));
        EXPECT_EQ(count(*club, QStringLiteral("SELECT COUNT(*) FROM caixa WHERE TERMINO = 0")), 1);
        EXPECT_EQ(
            count(
                *club,
                QStringLiteral("SELECT COUNT(*) FROM CaixaControle WHERE ABERTO = 1 AND DATA = :D"),
                {{QStringLiteral(":D"), store::dateValue(club->dialect(), run.now.date())}}),
            1);
    }
    EXPECT_EQ(count(*club, QStringLiteral("SELECT COUNT(*) FROM RECEB")), receipts);
}

// The devices switch points an existing club at a reader line in its folder and a relay on
// this machine; without it the relay address is still a loopback one. Run again without a
// word about devices, the club keeps them; switched off, it is back to the keyboard, no
// turnstile and COM9 as the PC's own port.
TEST(DemoClubDevices, ReaderLineAndRelayOnThisMachineSwitchedOnAndOff) {
    test::ensureApplication();
    QTemporaryDir dir(tempTemplate());
    const QString readerLine = QDir(dir.path()).absoluteFilePath(QStringLiteral("reader-line"));
    const struct {
        std::optional<bool> devices;
        QString sacvar;  // ROLETA, TIPO_ROLETA, PINPAD, PADRAOTEC12
        QString sacvar2; // ENDERECO_LPT, CatracaWireless
        QString com9;    // where terminal.ini puts the reader's port
    } runs[] = {
        {std::nullopt, QStringLiteral("NADANNADANão"), QStringLiteral("378127.0.0.1:8080"),
         QStringLiteral("/dev/ttyS8")},
        {true, QStringLiteral("WIFIRCOM9Sim"), QStringLiteral("127.0.0.1:8080"), readerLine},
        {std::nullopt, QStringLiteral("WIFIRCOM9Sim"), QStringLiteral("127.0.0.1:8080"),
         readerLine},
        {false, QStringLiteral("NADANNADANão"), QStringLiteral("378127.0.0.1:8080"),
         QStringLiteral("/dev/ttyS8")},
    };
    demo::DemoClubOptions options = smallClub();
    for (const auto& run : runs) {
        SCOPED_TRACE(run.sacvar.toStdString());
        options.devices = run.devices;
        ASSERT_TRUE(demo::createDemoClub(dir.path(), options).ok());
        const auto club = openClub(QDir(dir.path()).filePath(QStringLiteral("club.db")));
        const auto settingsText = [&](const char* sql) {
            auto query = club->execute(QString::fromUtf8(sql));
            EXPECT_TRUE(query.ok() && query->next());
            return query->value(0).toString();
        };
        EXPECT_EQ(settingsText("SELECT ROLETA || TIPO_ROLETA || PINPAD || PADRAOTEC12 FROM Sacvar"),
                  run.sacvar);
        EXPECT_EQ(settingsText("SELECT ENDERECO_LPT || CatracaWireless FROM Sacvar2"), run.sacvar2);
        const auto local = store::LocalSettings::load(dir.path());
        ASSERT_TRUE(local.ok());
        EXPECT_EQ(local->deviceForPort(QStringLiteral("COM9")), run.com9);
    }
}

} // namespace
