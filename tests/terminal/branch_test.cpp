#include "support/second_unit.h"
#include "support/terminal_fixture.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace orvalen::test {
namespace {

const QString kUnitStudent = QStringLiteral("0000050001");
const QString kHomeStudent = QStringLiteral("0000000100");

QString s(const char* text) {
    return QString::fromUtf8(text);
}

// The club's own database is reached directly and through the ODBC driver path; the unit's
// through its rewritten data link.
class BranchChoice : public ::testing::TestWithParam<Route> {
protected:
    BranchChoice() : club({}, {}, GetParam()), unit(club) {
        unit.addStudent(kUnitStudent, s("JOANA JARDIM"));
        club.addStudent(kHomeStudent, s("ANA CENTRO"));
    }

    void expectHome() {
        EXPECT_EQ(club.state().BBNFILIALTag, 0);
        EXPECT_TRUE(club.state().BBNFILIAL.enabled);
        EXPECT_FALSE(club.state().hourglass);
        EXPECT_EQ(club.screen().PDouCodigoFilial, 1.0);
        EXPECT_FALSE(club.screen().studentSource().onBranch());
    }

    int unitRows(const QString& table) {
        auto query = unit.db().connection().execute(s("SELECT COUNT(*) FROM ") + table);
        return query.ok() && query->next() ? query->value(0).toInt() : -1;
    }

    QString detailsShown() {
        QStringList details;
        for (const auto& box : club.aviso.boxes) {
            details << box.kind + QLatin1Char('|') + box.text + QLatin1Char('|') + box.detail;
        }
        return details.join(QLatin1Char('\n'));
    }

    TerminalFixture club;
    SecondUnit unit;
};

TEST_P(BranchChoice, OneUnitSwitchesAtOnceServesOnePersonAndTheResetReturns) {
    club.show();
    ASSERT_TRUE(club.state().BBNFILIAL.visible);
    club.screen().BBNFILIALClick();

    EXPECT_FALSE(club.state().DBGFILIAL.visible); // one unit: no list
    EXPECT_EQ(club.state().BBNFILIALTag, 1);
    EXPECT_FALSE(club.state().BBNFILIAL.enabled);
    EXPECT_FALSE(club.state().hourglass);
    EXPECT_EQ(club.screen().PDouCodigoFilial, SecondUnit::kCode);
    EXPECT_TRUE(club.aviso.boxes.empty()) << detailsShown().toStdString();
    // The data link now names the unit's database.
    QFile link(QDir(club.db().folder()).filePath(s("OrvalenFilial.udl")));
    ASSERT_TRUE(link.open(QIODevice::ReadOnly));
    EXPECT_TRUE(link.readAll().contains(QString(s("Data Source=") + unit.address()).toUtf8()));

    club.type(s("50001"));
    // Found in the unit's database and let in by the unit's free fee (the club has no such
    // fee), logged at home with the unit's code and, in Acesso, the member's name.
    ASSERT_EQ(club.count(s("AcessoDia")), 1);
    EXPECT_EQ(club.value(s("SELECT OBS FROM AcessoDia")).toString(), s("Acesso Livre"));
    EXPECT_EQ(club.value(s("SELECT CODIGO_FILIAL FROM AcessoDia")).toDouble(), SecondUnit::kCode);
    EXPECT_EQ(club.value(s("SELECT CODIGO_FILIAL FROM Acesso")).toDouble(), SecondUnit::kCode);
    EXPECT_EQ(club.value(s("SELECT MATRICULA FROM Acesso")).toString(), kUnitStudent);
    EXPECT_EQ(club.value(s("SELECT NOME FROM Acesso")).toString(), s("JOANA JARDIM"));
    EXPECT_EQ(unitRows(s("Acesso")) + unitRows(s("AcessoDia")), 0); // nothing logged there
    expectHome();

    // The following person is looked up at home again.
    club.type(s("50001"));
    EXPECT_EQ(club.count(s("AcessoDia")), 1);
    club.type(s("100"));
    EXPECT_EQ(club.count(s("AcessoDia")), 2);
    EXPECT_EQ(
        club.value(s("SELECT CODIGO_FILIAL FROM Acesso WHERE MATRICULA = '0000000100'")).toDouble(),
        1.0);
    EXPECT_TRUE(club.value(s("SELECT NOME FROM Acesso WHERE MATRICULA = '0000000100'"))
                    .toString()
                    .isEmpty());
    EXPECT_TRUE(club.errorLog.messages.isEmpty())
        << club.errorLog.messages.join(QLatin1Char('\n')).toStdString();
}

// A name longer than the log's NOME column (35 characters) is cut to it in both rows: a
// record holding ten million characters must not put 20 MB into the log at each visit.
TEST_P(BranchChoice, ANameLongerThanTheLogColumnIsCutInBothRows) {
    const QString name = s("JOANA JARDIM DE ALBUQUERQUE SALDANHA ") + QString(10'000'000, u'A');
    unit.db().exec(s("UPDATE AlunosAtivos SET NOME = :N WHERE MATRICULA = :M"),
                   {{s(":N"), name}, {s(":M"), kUnitStudent}});
    club.show();
    club.screen().BBNFILIALClick();
    club.type(s("50001"));
    ASSERT_EQ(club.count(s("AcessoDia")), 1);
    for (const char* table : {"AcessoDia", "Acesso"}) {
        const QString logged = club.value(s("SELECT NOME FROM ") + s(table)).toString();
        ASSERT_EQ(logged.size(), 35) << table;
        EXPECT_EQ(logged, s("JOANA JARDIM DE ALBUQUERQUE SALDANH")) << table;
    }
}

TEST_P(BranchChoice, SeveralUnitsOpenTheListAndADoubleClickChooses) {
    SecondUnit::listUnit(club, 1, s("Unidade Centro"), club.db().file());
    club.show();
    club.screen().BBNFILIALClick();
    EXPECT_TRUE(club.state().DBGFILIAL.visible);
    EXPECT_EQ(club.state().BBNFILIALTag, 0);
    ASSERT_EQ(club.screen().branches().size(), 2u);
    EXPECT_EQ(club.screen().branches()[0].cliente, 1.0); // ordered by CLIENTE
    EXPECT_EQ(club.screen().branches()[1].nome, s("Unidade Jardim"));

    club.screen().DBGFILIALClick(1);
    club.screen().DBGFILIALDblClick();
    EXPECT_FALSE(club.state().DBGFILIAL.visible);
    EXPECT_EQ(club.state().BBNFILIALTag, 1);
    EXPECT_EQ(club.screen().PDouCodigoFilial, SecondUnit::kCode);
    // While the unit is in use no second choice is made.
    club.screen().BBNFILIALClick();
    EXPECT_FALSE(club.state().DBGFILIAL.visible);

    club.type(s("50001"));
    EXPECT_EQ(club.value(s("SELECT CODIGO_FILIAL FROM Acesso")).toDouble(), SecondUnit::kCode);
    expectHome();
}

TEST_P(BranchChoice, FailuresLeaveTheOwnUnitWithTheirMessage) {
    struct Case {
        const char* name;
        std::function<void()> arrange;
        const char* detail;
    };
    const QString link = QDir(club.db().folder()).filePath(s("OrvalenFilial.udl"));
    const auto pointAt = [&](const QString& address) {
        club.db().exec(s("UPDATE Filial SET Caminho_Unidade = :A"), {{s(":A"), address}});
    };
    const QString gone = club.db().folder() + s("/gone/unit.db");
    const Case cases[] = {
        {"data link missing", [&] { QFile::remove(link); }, "OrvalenFilial.udl inexistente"},
        {"unit database unreachable",
         [&] {
             SecondUnit::writeBranchDataLink(club.db().folder());
             pointAt(gone);
         },
         "Filial Inacessível"},
        {"data link without a Data Source",
         [&] {
             QFile file(link);
             file.open(QIODevice::WriteOnly);
             file.write("[oledb]\r\nProvider=SQLite\r\n");
             pointAt(unit.address());
         },
         "Filial Inacessível"},
        {"unit database lacks a moved table",
         [&] {
             SecondUnit::writeBranchDataLink(club.db().folder());
             unit.db().exec(s("DROP TABLE RECEB"));
         },
         "Filial Inacessível"},
    };
    club.show();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        club.aviso.boxes.clear();
        club.errorLog.messages.clear();
        c.arrange();
        club.screen().BBNFILIALClick();
        ASSERT_EQ(club.aviso.boxes.size(), 1u);
        EXPECT_EQ(club.aviso.boxes[0].kind, s("!"));
        EXPECT_EQ(club.aviso.boxes[0].text, QString());
        EXPECT_EQ(club.aviso.boxes[0].detail, s(c.detail));
        expectHome();
        // The reason is kept for the installer.
        ASSERT_EQ(club.errorLog.messages.size(), 1);
        EXPECT_TRUE(club.errorLog.messages[0].startsWith(s(c.detail)));
    }
    EXPECT_FALSE(QFile::exists(gone));
    // Not half switched: the unit's member is unknown at home, the home member is found.
    club.type(s("50001"));
    EXPECT_EQ(club.count(s("AcessoDia")), 0);
    club.type(s("100"));
    EXPECT_EQ(club.value(s("SELECT CODIGO_FILIAL FROM AcessoDia")).toDouble(), 1.0);
}

INSTANTIATE_TEST_SUITE_P(Routes, BranchChoice, ::testing::Values(Route::Direct, Route::Odbc),
                         [](const auto& info) { return routeName(info.param).toStdString(); });

} // namespace
} // namespace orvalen::test
