#include "store/db_values.h"
#include "store/table_opening.h"
#include "support/test_database.h"

#include <QFile>
#include <QSqlQuery>
#include <gtest/gtest.h>
#include <optional>

using namespace orvalen;
using store::OpeningScreen;
using test::Route;

namespace {

struct RecordingAviso : store::Aviso {
    struct Box {
        QString kind, text, detail;
    };
    std::vector<Box> boxes;
    int AVISO(const QString& kind, const QString& text, const QString& detail) override {
        boxes.push_back({kind, text, detail});
        return kOk;
    }
};

class TableOpeningTest : public ::testing::TestWithParam<Route> {
protected:
    TableOpeningTest() : db(GetParam()) {
        local.folder = db.folder();
        db.exec(QStringLiteral("INSERT INTO Sacvar (CLIENTE, ROLETA) VALUES (3, 'NADA')"));
        db.exec(QStringLiteral(
            "INSERT INTO Sacvar2 (FILIAL, AgendamentoAulaPortal) VALUES ('01', 'Não')"));
    }

    void addCaixa(const QDate& opened) {
        db.exec(QStringLiteral("INSERT INTO caixa (OPERADOR, DATAABERTURA) VALUES ('01', :d)"),
                {{QStringLiteral(":d"), store::dateValue(dialect(), opened)}});
    }
    void addAcessoDia(const QDate& day) {
        db.exec(
            QStringLiteral(
                "INSERT INTO AcessoDia (MATRICULA, DATA, STATUS) VALUES ('0000000001', :d, 'L')"),
            {{QStringLiteral(":d"), store::dateValue(dialect(), day)}});
    }
    int count(const QString& table) {
        auto query = db.connection().execute(QStringLiteral("SELECT COUNT(*) FROM ") + table);
        EXPECT_TRUE(query.ok());
        return query->next() ? query->value(0).toInt() : -1;
    }
    const store::Dialect& dialect() { return db.connection().dialect(); }
    store::OpeningResult open(OpeningScreen screen) {
        return store::ABRE_TABELAS(screen, db.connection(), local);
    }

    test::TestDatabase db;
    store::LocalSettings local;
};

// Each screen's datasets in the order it opens them, with the label its failure shows.
struct ExpectedDataset {
    const char* component;
    const char* label;
    const char* table; // dropped to make this dataset fail
};

std::vector<ExpectedDataset> expectedOrder(OpeningScreen screen) {
    switch (screen) {
    case OpeningScreen::Terminal:
        return {{"TBLACESSO", "Acesso", "acesso"},
                {"TBLACESSOFUNC", "AcessoFuncionarios", "AcessoFuncionarios"},
                {"TBLACESSOVIS", "AcessoVisitantes", "AcessoVisitantes"},
                {"TBLALUNOSATIVOS", "AlunosAtivos", "AlunosAtivos"},
                {"TBLCONTROLE", "Controle", "Sacvar"},
                {"TBLCONTROLE2", "Controle2", "Sacvar2"},
                {"TBLCAIXA", "Caixa", "caixa"},
                {"TBLMODALIDADE", "Mensalidades", "MENSALIDADES"},
                {"TBLFUNCIONARIO", "Funcionarios", "Funcionarios"},
                {"TBLTURMAS", "Turma", "Turma"},
                {"TBLPLANOS", "Planos", "PLANOS"},
                {"TBLACESSODIA", "AcessoDia", "AcessoDia"},
                {"TBLFILIAL", "Filial", "Filial"},
                {"TBLLIBERAGYMPASS", "LiberaGympass", "LiberaGympass"}};
    case OpeningScreen::Login:
        return {{"TBLUSUARIOS", "Usuarios", "Usuarios"},
                {"TBLCONTROLE", "Controle", "Sacvar"},
                {"TBLCONTROLE2", "Controle2", "Sacvar2"},
                {"TBLCAIXA", "Caixa", "caixa"},
                {"TBLCAIXACONTROLE", "CaixaControle", "CaixaControle"}};
    case OpeningScreen::AboutBox:
        // "Conttole" is the about box's own label for its settings table.
        return {{"TBLCONTROLE", "Conttole", "Sacvar"}, {"TBLCONTROLE2", "Controle2", "Sacvar2"}};
    case OpeningScreen::ActivityDialog:
        return {{"TBLATIVIDADES", "Atividades", "ATIVIDADES"}};
    case OpeningScreen::Enrolment:
        return {{"TBLFUNCIONARIOS", "Funcionarios", "Funcionarios"}};
    }
    return {};
}

QStringList expectedComponents(OpeningScreen screen, qsizetype count = -1) {
    QStringList components;
    for (const ExpectedDataset& dataset : expectedOrder(screen)) {
        components << QLatin1String(dataset.component);
    }
    return count < 0 ? components : components.first(count);
}

const OpeningScreen kScreens[] = {OpeningScreen::Terminal, OpeningScreen::Login,
                                  OpeningScreen::AboutBox, OpeningScreen::ActivityDialog,
                                  OpeningScreen::Enrolment};

TEST_P(TableOpeningTest, EveryScreenOpensItsTablesInOrder) {
    addCaixa(QDate(2026, 12, 7));
    addCaixa(QDate(2026, 12, 9));
    addCaixa(QDate(2026, 12, 8)); // the last row, though not the latest date
    db.exec(QStringLiteral("INSERT INTO CaixaControle (DATA, CONTADORPDR, ABERTO) VALUES "
                           "('2026-12-08 00:00:00.000', 1, 1)"));
    for (OpeningScreen screen : kScreens) {
        SCOPED_TRACE(static_cast<int>(screen));
        const auto result = open(screen);
        ASSERT_TRUE(result.ok) << result.failedLabel.toStdString() << ": "
                               << result.why.toStdString();
        EXPECT_EQ(result.opened, expectedComponents(screen));
    }
    db.exec(QStringLiteral("INSERT INTO Acesso (MATRICULA, STATUS) VALUES ('0000000001', 'S')"));
    db.exec(QStringLiteral("INSERT INTO Acesso (MATRICULA, STATUS) VALUES ('0000000002', 'L')"));
    const auto terminal = open(OpeningScreen::Terminal);
    ASSERT_TRUE(terminal.firstAcesso.has_value());
    EXPECT_EQ(terminal.firstAcesso->value(QStringLiteral("MATRICULA")).toString(),
              QStringLiteral("0000000001"));
    EXPECT_EQ(terminal.businessDate.day, QDate(2026, 12, 8));
    EXPECT_EQ(terminal.sacvar->text(QStringLiteral("ROLETA")), QStringLiteral("NADA"));
    EXPECT_EQ(terminal.sacvar2->text(QStringLiteral("FILIAL")), QStringLiteral("01"));
    EXPECT_FALSE(terminal.portal.has_value());
    const auto login = open(OpeningScreen::Login);
    ASSERT_TRUE(login.lastCaixaControle.has_value());
    EXPECT_EQ(login.lastCaixaControle->value(QStringLiteral("CONTADORPDR")).toInt(), 1);
    auto reread = store::readBusinessDate(db.connection());
    ASSERT_TRUE(reread.ok());
    EXPECT_EQ(reread->day, QDate(2026, 12, 8));
}

// Tables are dropped from the last of a screen's order to the first, so that each opening
// fails at the table just dropped: every dataset's message label shows in turn.
TEST_P(TableOpeningTest, EachDatasetFailsUnderItsOwnLabel) {
    for (OpeningScreen screen : kScreens) {
        SCOPED_TRACE(static_cast<int>(screen));
        test::TestDatabase club(GetParam());
        club.exec(QStringLiteral("INSERT INTO Sacvar (CLIENTE) VALUES (3)"));
        club.exec(QStringLiteral("INSERT INTO Sacvar2 (FILIAL) VALUES ('01')"));
        const auto order = expectedOrder(screen);
        for (auto dataset = order.rbegin(); dataset != order.rend(); ++dataset) {
            SCOPED_TRACE(dataset->table);
            club.exec(QStringLiteral("DROP TABLE ") + QLatin1String(dataset->table));
            const auto result = store::ABRE_TABELAS(screen, club.connection(), local);
            EXPECT_FALSE(result.ok);
            EXPECT_EQ(result.failedLabel, QString::fromLatin1(dataset->label));
            EXPECT_EQ(result.opened,
                      expectedComponents(screen, std::distance(dataset, order.rend()) - 1));
        }
    }
}

TEST_P(TableOpeningTest, FirstFailureStopsTheSequenceWithItsLabel) {
    struct Case {
        OpeningScreen screen;
        const char* breakage;
        const char* label;
        qsizetype openedBefore;
    };
    const Case cases[] = {
        {OpeningScreen::Terminal, "DROP TABLE Turma", "Turma", 9},
        {OpeningScreen::Terminal, "ALTER TABLE Sacvar DROP COLUMN C_FISICA", "Controle", 4},
        {OpeningScreen::Terminal, "ALTER TABLE caixa DROP COLUMN PDR", "Caixa", 6},
        {OpeningScreen::AboutBox, "ALTER TABLE Sacvar DROP COLUMN CNPJCPF", "Conttole", 0},
        {OpeningScreen::Login, "DROP TABLE CaixaControle", "CaixaControle", 4},
        {OpeningScreen::ActivityDialog, "DROP TABLE ATIVIDADES", "Atividades", 0},
        {OpeningScreen::Enrolment, "ALTER TABLE Funcionarios DROP COLUMN DIGITAL", "Funcionarios",
         0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.breakage);
        test::TestDatabase broken(GetParam());
        broken.exec(QStringLiteral("INSERT INTO Sacvar (CLIENTE) VALUES (3)"));
        broken.exec(QStringLiteral("INSERT INTO Sacvar2 (FILIAL) VALUES ('01')"));
        broken.exec(
            QStringLiteral("INSERT INTO caixa (DATAABERTURA) VALUES ('2026-12-09 00:00:00.000')"));
        // An old day in AcessoDia: a sequence that stopped earlier must not purge it.
        broken.exec(
            QStringLiteral("INSERT INTO AcessoDia (DATA) VALUES ('2026-12-01 00:00:00.000')"));
        broken.exec(QLatin1String(c.breakage));
        const auto result = store::ABRE_TABELAS(c.screen, broken.connection(), local);
        EXPECT_FALSE(result.ok);
        EXPECT_EQ(result.failedLabel, QLatin1String(c.label));
        EXPECT_FALSE(result.why.isEmpty());
        EXPECT_EQ(result.opened, expectedComponents(c.screen, c.openedBefore));
        EXPECT_FALSE(result.acessoDiaPurged);
        auto left = broken.connection().execute(QStringLiteral("SELECT COUNT(*) FROM AcessoDia"));
        ASSERT_TRUE(left.ok() && left->next());
        EXPECT_EQ(left->value(0).toInt(), 1);

        RecordingAviso aviso;
        store::showOpeningFailure(aviso, result);
        ASSERT_EQ(aviso.boxes.size(), 1u);
        EXPECT_EQ(aviso.boxes[0].kind, QStringLiteral("!"));
        EXPECT_EQ(aviso.boxes[0].text, QStringLiteral("Abertura de tabela !"));
        EXPECT_EQ(aviso.boxes[0].detail, QLatin1String(c.label));
    }
}

TEST_P(TableOpeningTest, DayPurgeRemovesOnlyRowsKnownToBeOfAnEarlierDay) {
    const QDate today(2026, 12, 9);
    const QVariant yesterday = store::dateValue(dialect(), today.addDays(-1));
    const QVariant ofToday = store::dateValue(dialect(), today);
    const QVariant null = QVariant(QMetaType::fromType<QString>());
    const QVariant garbage = QStringLiteral("garbage");
    // Through ODBC the SQLite driver reads text in a date column into a date itself, so the
    // forms other than the terminal's own reach the purge as written only on the direct route.
    struct Case {
        const char* name;
        std::vector<QVariant> rows; // DATA of each row, in the order written
        bool purged;
        int left;
        int undated;
        bool directOnly = false;
    };
    const Case cases[] = {
        {"empty table", {}, false, 0, 0},
        {"last row on the business date",
         {store::dateValue(dialect(), today.addDays(-2)), yesterday, ofToday},
         false,
         3,
         0},
        {"all rows older", {store::dateValue(dialect(), today.addDays(-3)), yesterday}, true, 0, 0},
        {"a row of today before an older last row stays", {ofToday, yesterday}, true, 1, 0},
        {"earlier day in every stored form",
         {QStringLiteral("2026-12-08 00:00:00.0000000"), QStringLiteral("08/12/2026"),
          QStringLiteral("2026-12-07T00:00:00Z")},
         true,
         0,
         0,
         true},
        // A row that belongs to no known day neither empties today's rows nor goes itself.
        {"empty DATA after today's rows", {ofToday, ofToday, null}, false, 3, 1},
        {"no date after today's rows", {ofToday, garbage}, false, 2, 1},
        {"no date after yesterday's rows", {yesterday, garbage, yesterday, null}, true, 2, 2},
    };
    addCaixa(today);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.directOnly && GetParam() != Route::Direct) {
            continue;
        }
        db.exec(QStringLiteral("DELETE FROM AcessoDia"));
        for (const QVariant& day : c.rows) {
            db.exec(QStringLiteral("INSERT INTO AcessoDia (MATRICULA, DATA, STATUS) VALUES "
                                   "('0000000001', :d, 'L')"),
                    {{QStringLiteral(":d"), day}});
        }
        const auto result = open(OpeningScreen::Terminal);
        ASSERT_TRUE(result.ok) << result.why.toStdString();
        EXPECT_EQ(result.acessoDiaPurged, c.purged);
        EXPECT_EQ(count(QStringLiteral("AcessoDia")), c.left);
        EXPECT_EQ(result.acessoDiaUndated.size(), c.undated)
            << result.acessoDiaUndated.join(QStringLiteral("; ")).toStdString();
    }
}

TEST_P(TableOpeningTest, BusinessDateIsKnownOnlyWhenDataaberturaIsADate) {
    // Text in the date column reaches the terminal as written on the direct route only (see
    // the purge above); through ODBC the driver's own reading decides.
    struct Case {
        const char* name;
        std::optional<QVariant> opened; // none: caixa has no row
        QDate day;                      // invalid: unknown
        const char* problemMentions;
        bool directOnly = false;
    };
    const QVariant null = QVariant(QMetaType::fromType<QString>());
    const Case cases[] = {
        {"no cash period", std::nullopt, {}, "caixa has no cash period"},
        {"empty", null, {}, "DATAABERTURA of the last cash period is empty"},
        {"garbage", QStringLiteral("garbage"), {}, "\"garbage\"", true},
        {"zero date of another server", QStringLiteral("0000-00-00"), {}, "\"0000-00-00\"", true},
        {"Brazilian text", QStringLiteral("10/12/2026"), {2026, 12, 10}, "", true},
        {"seven fraction digits", QStringLiteral("2026-12-09 00:00:00.0000000"), {2026, 12, 9}, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.directOnly && GetParam() != Route::Direct) {
            continue;
        }
        db.exec(QStringLiteral("DELETE FROM caixa"));
        db.exec(QStringLiteral("DELETE FROM AcessoDia"));
        addAcessoDia(QDate(2026, 11, 30));
        if (c.opened) {
            db.exec(QStringLiteral("INSERT INTO caixa (OPERADOR, DATAABERTURA) VALUES ('01', :d)"),
                    {{QStringLiteral(":d"), *c.opened}});
        }
        const auto result = open(OpeningScreen::Terminal);
        ASSERT_TRUE(result.ok) << result.why.toStdString();
        EXPECT_EQ(result.businessDate.day, c.day);
        EXPECT_EQ(result.businessDate.known(), c.day.isValid());
        EXPECT_TRUE(result.businessDate.problem.contains(QString::fromUtf8(c.problemMentions)))
            << result.businessDate.problem.toStdString();
        const auto reread = store::readBusinessDate(db.connection());
        ASSERT_TRUE(reread.ok());
        EXPECT_EQ(reread->day, c.day);
        // Without a business date no day is known to be earlier: nothing is purged.
        EXPECT_EQ(count(QStringLiteral("AcessoDia")), c.day.isValid() ? 0 : 1);
    }
}

TEST_P(TableOpeningTest, FailedPurgeIsRolledBackAndStopsAtAcessoDia) {
    addCaixa(QDate(2026, 12, 9));
    addAcessoDia(QDate(2026, 12, 1));
    addAcessoDia(QDate(2026, 12, 2));
    db.exec(QStringLiteral(
        "CREATE TRIGGER keep_second BEFORE DELETE ON AcessoDia "
        "WHEN old.DATA LIKE '2026-12-02%' BEGIN SELECT RAISE(ABORT, 'in use'); END"));
    const auto result = open(OpeningScreen::Terminal);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.failedLabel, QStringLiteral("AcessoDia"));
    EXPECT_EQ(count(QStringLiteral("AcessoDia")), 2) << "the first row's deletion is rolled back";
    EXPECT_FALSE(result.opened.contains(QStringLiteral("TBLFILIAL")));
}

TEST_P(TableOpeningTest, PortalFileIsReadOnlyWhenTheSwitchIsExactlySim) {
    addCaixa(QDate(2026, 12, 9));
    const QString portalFile = local.filePath(QStringLiteral("Velmora.udl"));
    struct Case {
        const char* sw;
        const char* fileText; // nullptr: no file
        bool portal;
        bool error;
    };
    const Case cases[] = {
        {"sim", "not a data link", false, false},
        {"Não", nullptr, false, false},
        {"Sim", nullptr, false, true},
        {"Sim", "[oledb]\r\nProvider=SQLite;Data Source=portal.db\r\n", true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.sw) + (c.fileText ? " with file" : " without file"));
        QFile::remove(portalFile);
        if (c.fileText) {
            QFile out(portalFile);
            ASSERT_TRUE(out.open(QIODevice::WriteOnly));
            out.write(c.fileText);
        }
        db.exec(QStringLiteral("UPDATE Sacvar2 SET AgendamentoAulaPortal = :s"),
                {{QStringLiteral(":s"), QString::fromUtf8(c.sw)}});
        const auto result = open(OpeningScreen::Terminal);
        ASSERT_TRUE(result.ok) << "a portal problem does not stop the opening";
        EXPECT_EQ(result.portal.has_value(), c.portal);
        EXPECT_EQ(!result.portalError.isEmpty(), c.error);
        if (c.error) {
            EXPECT_TRUE(result.portalError.contains(portalFile));
        }
        if (c.portal) {
            EXPECT_EQ(result.portal->databaseName, local.filePath(QStringLiteral("portal.db")));
        }
    }
}

INSTANTIATE_TEST_SUITE_P(BothRoutes, TableOpeningTest,
                         ::testing::Values(Route::Direct, Route::Odbc), [](const auto& info) {
                             return test::routeName(info.param).toStdString();
                         });

} // namespace
