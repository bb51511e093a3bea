#include "demo_club/demo_club.h"
#include "demo_club/member_catalogue.h"
#include "support/application.h"
#include "support/test_database.h"
#include "support/tool_in_process.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <map>
#include <memory>

namespace orvalen::test {
namespace {

using namespace Qt::StringLiterals;

// The demo club of Monday 16/03/2026, explained at 10:30.
const QDate kBusinessDate(2026, 3, 16);

using ToolRun = test::ToolOutput;

ToolRun runTool(const QStringList& arguments) {
    return test::runToolInProcess(arguments);
}

class ExplainCommand : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        ensureApplication(); // the demo's pictures are lettered with fonts
        dir_ = new QTemporaryDir(qEnvironmentVariable("ORVALEN_TEST_TMP", QDir::tempPath()) +
                                 QStringLiteral("/explain-XXXXXX"));
        demo::DemoClubOptions options;
        options.members = 60;
        options.branchMembers = 6;
        options.now = QDateTime(kBusinessDate, QTime(10, 30));
        const auto summary = demo::createDemoClub(dir_->path(), options);
        ASSERT_TRUE(summary.ok()) << summary.error().message.toStdString();
        QFile file(QDir(dir_->path()).filePath(QLatin1String(demo::kCatalogueFile)));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        catalogue_ = new std::map<QString, QString>;
        for (const demo::CatalogueEntry& entry :
             demo::readCatalogue(QString::fromUtf8(file.readAll()))) {
            catalogue_->emplace(entry.situation, entry.number); // the first of each
        }
        club_ = new store::ClubConnection(
            sqliteSpec(QDir(dir_->path()).filePath(QStringLiteral("club.db")), Route::Direct),
            QStringLiteral("explain-test"));
        ASSERT_TRUE(club_->open().ok());
    }
    static void TearDownTestSuite() {
        delete club_;
        delete catalogue_;
        delete dir_;
    }

    static QString numberOf(const QString& situation) {
        const auto found = catalogue_->find(situation);
        EXPECT_NE(found, catalogue_->end()) << situation.toStdString();
        return found == catalogue_->end() ? QString() : found->second;
    }

    static ToolRun explain(QStringList arguments) {
        arguments.prepend(dir_->path());
        arguments.prepend(QStringLiteral("--datalink-dir"));
        arguments.prepend(QStringLiteral("explain"));
        return runTool(arguments);
    }

    static QJsonObject explainJson(const QString& number) {
        const ToolRun run =
            explain({QStringLiteral("--json"), QStringLiteral("--at"), QStringLiteral("16/03/2026"),
                     QStringLiteral("10:30"), number});
        EXPECT_EQ(run.status, 0) << run.err.toStdString();
        return QJsonDocument::fromJson(run.out.toUtf8()).object();
    }

    static int rowsIn(const QString& table) {
        auto query = club_->execute(QStringLiteral("SELECT COUNT(*) FROM ") + table);
        return query && query->next() ? query->value(0).toInt() : -1;
    }

    static QTemporaryDir* dir_;
    static std::map<QString, QString>* catalogue_;
    static store::ClubConnection* club_;
};

QTemporaryDir* ExplainCommand::dir_ = nullptr;
std::map<QString, QString>* ExplainCommand::catalogue_ = nullptr;
store::ClubConnection* ExplainCommand::club_ = nullptr;

// The checks of an explanation named so, in order.
std::vector<QJsonObject> checksNamed(const QJsonObject& explanation, const QString& name) {
    std::vector<QJsonObject> found;
    for (const QJsonValue& check : explanation[QStringLiteral("checks")].toArray()) {
        if (check[QStringLiteral("check")].toString() == name)
            found.push_back(check.toObject());
    }
    return found;
}

QJsonObject factsOf(const QJsonObject& explanation, const QString& check) {
    const auto found = checksNamed(explanation, check);
    EXPECT_FALSE(found.empty()) << "no check " << check.toStdString();
    return found.empty() ? QJsonObject() : found.back()[QStringLiteral("facts")].toObject();
}

// The employee catalogue numbers are typed as at the terminal: "00" and the short number.
QString typedEmployee(const QString& number) {
    return QStringLiteral("00") + QString::number(number.toLongLong());
}

struct Situation {
    const char* situation;    // the demo catalogue's section, or a number typed as is
    const char* deciding;     // the check that turned the person away; "" when let in
    const char* outcome;      // the outcome the terminal logs or shows
    const char* status;       // STATUS of the day's row; "" when none is written
    const char* check;        // a check whose facts led to the outcome
    QJsonObject facts;        // facts of that check (its last occurrence)
    const char* prepare = ""; // SQL run on the club first
};

TEST_F(ExplainCommand, DemoClubSituationsNameTheirDecidingCheckAndFacts) {
    using O = QJsonObject;
    const Situation situations[] = {
        {"paid", "", "Acesso Livre", "L", "payment.receipt",
         O{{u"month"_s, u"03/2026"_s}, {u"found"_s, true}}},
        // Due on the 14th, March unpaid, February paid: 14/03 + 5 days of tolerance.
        {"within-tolerance", "", "Acesso Livre", "L", "payment.limit",
         O{{u"limit"_s, u"2026-03-19"_s}, {u"tolerance_days"_s, 5}, {u"within"_s, true}}},
        // Due today (16th) with February unpaid: the limit was 16/02 + 5 days.
        {"overdue", "payment.receipts", "Sob Consulta !!!", "S", "payment.limit",
         O{{u"limit"_s, u"2026-02-21"_s}, {u"tolerance_days"_s, 5}, {u"within"_s, false}}},
        {"locked", "payment.locked", "Matrícula Trancada !!!", "S", "payment.locked",
         O{{u"locked_since"_s, u"2026-03-06"_s}}},
        {"transfer-over", "payment.transfer", "Fim de Repasse !!!", "S", "payment.transfer",
         O{{u"transfer_end"_s, u"2026-03-13"_s}}},
        {"scholarship-over", "payment.scholarship", "Fora Validade !!!", "S", "payment.scholarship",
         O{{u"scholarship_end"_s, u"2026-03-15"_s}}},
        {"record-hold", "record.hold", "Pendência no Cadastro", "S", "record.hold", O{}},
        {"pending-balance", "", "Acesso Livre", "L", "record.pending",
         O{{u"pending"_s, 89.9}, {u"pending_blocks"_s, false}}},
        {"gympass-not-released", "partner_pass", "Solicitar Liberação da Catraca !!!", "H",
         "partner_pass", O{{u"released"_s, false}}},
        {"gympass-released", "", "Acesso Livre", "L", "partner_pass", O{{u"released"_s, true}}},
        {"class-out-of-hours", "class.timetable", "Fora de Hora !!!", "H", "class.slot",
         O{{u"slot"_s, u"TURMA_A"_s}, {u"runs_now"_s, false}}},
        // Assessed 14 months ago, valid 12 months, blocking 15 days after the assessment.
        {"medical-expired", "assessment.block", "Avaliação Bloqueada !!!", "S",
         "assessment.medical",
         O{{u"assessed"_s, u"2025-01-16"_s},
           {u"validity_months"_s, 12},
           {u"valid_until"_s, u"2026-01-16"_s},
           {u"expired"_s, true},
           {u"tolerance_days"_s, 15},
           {u"blocks_after"_s, u"2025-01-31"_s},
           {u"block_flag"_s, true}}},
        {"employee-dismissed", "employee.dismissed", "Sem acesso !!!", "", "employee.dismissed",
         O{{u"dismissed"_s, u"2026-02-04"_s}}},
        {"employee-month-over", "employee.allowed_month", "Sem acesso !!!", "",
         "employee.allowed_month", O{{u"allowed_month"_s, u"01/2026"_s}}},
        {"0000999999", "", "Visitante", "V", "visitor", O{}},
        {"12345", "student.found", "Inexistente !!!", "", "student.found",
         O{{u"number"_s, u"0000012345"_s}, {u"on_file"_s, false}}},
        // One access a day, and the member came in at 07:00.
        {"paid", "daily_limit", "Excedeu Acesso !!!", "H", "daily_limit",
         O{{u"daily_limit"_s, 1}, {u"granted_today"_s, 1}}, "UPDATE Sacvar2 SET QTD_ACESSO = 1"},
    };
    for (const Situation& s : situations) {
        const QString situation = QString::fromUtf8(s.situation);
        SCOPED_TRACE(situation.toStdString());
        QString number = situation.front().isDigit() ? situation : numberOf(situation);
        if (situation.startsWith(QLatin1String("employee")))
            number = typedEmployee(number);
        if (*s.prepare != '\0') {
            ASSERT_TRUE(club_->execute(QString::fromUtf8(s.prepare)).ok());
            ASSERT_TRUE(
                club_
                    ->execute(QStringLiteral("INSERT INTO AcessoDia (MATRICULA, DATA, "
                                             "HORA, STATUS) VALUES (:M, :D, :H, 'L')"),
                              {{QStringLiteral(":M"), number},
                               {QStringLiteral(":D"), QStringLiteral("2026-03-16 00:00:00.000")},
                               {QStringLiteral(":H"), QStringLiteral("1899-12-30 07:00:00.000")}})
                    .ok());
        }
        const QJsonObject explanation = explainJson(number);
        const QJsonObject outcome = explanation[QStringLiteral("outcome")].toObject();
        EXPECT_EQ(outcome[QStringLiteral("deciding")].toString(), QString::fromUtf8(s.deciding));
        EXPECT_EQ(outcome[QStringLiteral("granted")].toBool(), *s.deciding == '\0');
        EXPECT_EQ(outcome[QStringLiteral("text")].toString(), QString::fromUtf8(s.outcome));
        EXPECT_EQ(outcome[QStringLiteral("status")].toString(), QString::fromUtf8(s.status));
        const QJsonObject facts = factsOf(explanation, QString::fromUtf8(s.check));
        for (auto it = s.facts.begin(); it != s.facts.end(); ++it) {
            EXPECT_EQ(facts[it.key()], it.value()) << it.key().toStdString();
        }
    }
    ASSERT_TRUE(club_->execute(QStringLiteral("UPDATE Sacvar2 SET QTD_ACESSO = 0")).ok());
    ASSERT_TRUE(club_->execute(QStringLiteral("DELETE FROM AcessoDia")).ok());
}

TEST_F(ExplainCommand, OverdueStudentIsToldInOrderInPortugueseAndEnglish) {
    const QString number = numberOf(QStringLiteral("overdue"));
    const ToolRun pt = explain(
        {QStringLiteral("--at"), QStringLiteral("2026-03-16"), QStringLiteral("10:30"), number});
    ASSERT_EQ(pt.status, 0) << pt.err.toStdString();
    // The due day, the months looked up, the limit, and the outcome, in that order.
    const QStringList expected{
        QStringLiteral("Dia de vencimento"),
        QStringLiteral("tolerância somada ao dia (VENCIMENTOFIXO): não"),
        QStringLiteral("Mês procurado em RECEB"),
        QStringLiteral("mês: \"03/2026\""),
        QStringLiteral("encontrado: não"),
        QStringLiteral("Data limite com a tolerância (TOLERANCIA_ACESSO)"),
        QStringLiteral("data limite: 21/02/2026"),
        QStringLiteral("Pagamentos em dia: RECUSA"),
        QStringLiteral("Resultado: não liberado — \"Sob Consulta !!!\" (STATUS S)"),
        QStringLiteral("Motivo: Pagamentos em dia"),
        QStringLiteral("painel de situação: Sob Consulta !!!"),
    };
    qsizetype from = 0;
    for (const QString& text : expected) {
        const qsizetype at = pt.out.indexOf(text, from);
        EXPECT_GE(at, 0) << text.toStdString() << " in\n" << pt.out.toStdString();
        from = at < 0 ? from : at;
    }
    const ToolRun en = explain({QStringLiteral("--lang"), QStringLiteral("en"),
                                QStringLiteral("--at"), QStringLiteral("10:30"), number});
    ASSERT_EQ(en.status, 0) << en.err.toStdString();
    EXPECT_TRUE(en.out.contains(QStringLiteral("Month looked up in RECEB")))
        << en.out.toStdString();
    EXPECT_TRUE(en.out.contains(QStringLiteral("Outcome: not let in — \"Sob Consulta !!!\"")));
}

TEST_F(ExplainCommand, ClassSlotsShowTheirWindow) {
    const QJsonObject explanation = explainJson(numberOf(QStringLiteral("class-in-hours")));
    const QJsonObject slot = factsOf(explanation, QStringLiteral("class.slot"));
    // The demo's all-day class: 00:00 to 23:59 every day.
    EXPECT_EQ(slot[QStringLiteral("days")].toString(),
              QStringLiteral("SEG TER QUA QUI SEX SAB DOM"));
    EXPECT_EQ(slot[QStringLiteral("runs_now")].toBool(), true);
    EXPECT_TRUE(explanation[QStringLiteral("outcome")][QStringLiteral("granted")].toBool());
}

TEST_F(ExplainCommand, ExplainingWritesNothing) {
    const QStringList tables{QStringLiteral("Acesso"), QStringLiteral("AcessoDia"),
                             QStringLiteral("AcessoFuncionarios"),
                             QStringLiteral("AcessoVisitantes"), QStringLiteral("LiberaGympass")};
    // A row of an earlier day: the terminal empties AcessoDia when it opens on a new
    // business day, and a dry run must not.
    ASSERT_TRUE(club_
                    ->execute(QStringLiteral("INSERT INTO AcessoDia (MATRICULA, DATA, STATUS) "
                                             "VALUES ('0000000001', :DAY, 'L')"),
                              {{QStringLiteral(":DAY"), QDate(2001, 1, 2)}})
                    .ok());
    std::map<QString, int> before;
    for (const QString& table : tables)
        before[table] = rowsIn(table);
    // A grant, a refusal, a partner pass whose release a grant would use up, an employee, a
    // visitor.
    for (const QString& number :
         {numberOf(QStringLiteral("paid")), numberOf(QStringLiteral("overdue")),
          numberOf(QStringLiteral("gympass-released")),
          typedEmployee(numberOf(QStringLiteral("employee"))), QStringLiteral("9999999999")}) {
        const ToolRun run = explain({number});
        EXPECT_EQ(run.status, 0) << run.err.toStdString();
    }
    for (const QString& table : tables)
        EXPECT_EQ(rowsIn(table), before[table]) << table.toStdString();
    EXPECT_GT(before[QStringLiteral("LiberaGympass")], 0);
    EXPECT_GT(before[QStringLiteral("AcessoDia")], 0);
}

TEST_F(ExplainCommand, BadArgumentsSayWhatIsWrong) {
    struct Case {
        QStringList arguments;
        const char* said;
    };
    const Case cases[] = {
        {{}, "missing"},
        {{QStringLiteral("--at"), QStringLiteral("31/02/2026"), QStringLiteral("10:00"),
          QStringLiteral("1")},
         "--at"},
        {{QStringLiteral("--at"), QStringLiteral("25:00"), QStringLiteral("1")}, "--at"},
        {{QStringLiteral("--lang"), QStringLiteral("fr"), QStringLiteral("1")}, "fr"},
        {{QStringLiteral("--branch"), QStringLiteral("x"), QStringLiteral("1")}, "'x'"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.said);
        const ToolRun run = explain(c.arguments);
        EXPECT_EQ(run.status, 2);
        EXPECT_TRUE(run.err.contains(QString::fromUtf8(c.said))) << run.err.toStdString();
    }
    const ToolRun noClub = runTool({QStringLiteral("explain"), QStringLiteral("--datalink-dir"),
                                    QStringLiteral("/nonexistent-club"), QStringLiteral("1")});
    EXPECT_EQ(noClub.status, 1);
    EXPECT_TRUE(noClub.err.startsWith(QStringLiteral("orvalen explain: ")));
}

} // namespace
} // namespace orvalen::test
