#include "support/second_unit.h"
#include "support/terminal_fixture.h"
#include "support/tool_in_process.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

namespace orvalen::test {
namespace {

// A club folder whose data link points at the fixture's SQLite file.
class IdentifyCommand : public ::testing::Test {
protected:
    IdentifyCommand() {
        QFile link(club.db().folder() + QStringLiteral("/Orvalen.udl"));
        link.open(QIODevice::WriteOnly);
        link.write("[oledb]\r\n; Everything after this line is an OLE DB initstring\r\n"
                   "Provider=SQLite;Data Source=club.db\r\n");
    }

    QString run(QStringList arguments, int expectedStatus = 0) {
        arguments.prepend(club.db().folder());
        arguments.prepend(QStringLiteral("--datalink-dir"));
        arguments.prepend(QStringLiteral("identify"));
        const ToolOutput ran = runToolInProcess(arguments);
        EXPECT_EQ(ran.status, expectedStatus) << ran.err.toStdString();
        return ran.out;
    }

    TerminalFixture club;
};

TEST_F(IdentifyCommand, UnknownNumberShowsInexistente) {
    EXPECT_EQ(run({QStringLiteral("12345")}),
              QStringLiteral("information panel: Inexistente !!!\nwait 3000 ms\n"));
}

TEST_F(IdentifyCommand, VisitorCardWritesTheRowsAndReleases) {
    const QString output =
        run({QStringLiteral("--at"), QStringLiteral("14:05"), QStringLiteral("0000999999")});
    const QStringList lines = output.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 7) << output.toStdString();
    EXPECT_TRUE(
        lines[0].startsWith(QStringLiteral("row AcessoVisitantes: USUARIO=00, DATA=2026-03-10")));
    EXPECT_TRUE(lines[1].startsWith(
        QStringLiteral("row AcessoDia: MATRICULA=9999999999, DATA=2026-03-10")));
    EXPECT_TRUE(lines[1].contains(QStringLiteral("HORA=1899-12-30 14:05:00")));
    EXPECT_TRUE(lines[1].endsWith(QStringLiteral("STATUS=V")));
    EXPECT_EQ(lines.mid(2), (QStringList{QStringLiteral("status panel: Acesso Livre"),
                                         QStringLiteral("name label: Seja Bem Vindo !!!"),
                                         QStringLiteral("information panel: Visitante"),
                                         QStringLiteral("turnstile release requested"),
                                         QStringLiteral("wait 3000 ms")}));
    EXPECT_EQ(club.count(QStringLiteral("AcessoDia")), 1);
    EXPECT_EQ(club.count(QStringLiteral("AcessoVisitantes")), 1);
}

TEST_F(IdentifyCommand, DryRunWritesNothingAndJsonHasOneObjectPerLine) {
    const QString output =
        run({QStringLiteral("--dry-run"), QStringLiteral("--json"), QStringLiteral("9999999999")});
    const QStringList lines = output.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 7);
    const QJsonObject row = QJsonDocument::fromJson(lines[1].toUtf8()).object();
    EXPECT_EQ(row[QStringLiteral("event")].toString(), QStringLiteral("row"));
    EXPECT_EQ(row[QStringLiteral("table")].toString(), QStringLiteral("AcessoDia"));
    EXPECT_EQ(row[QStringLiteral("columns")].toObject()[QStringLiteral("STATUS")].toString(),
              QStringLiteral("V"));
    const QJsonObject wait = QJsonDocument::fromJson(lines.last().toUtf8()).object();
    EXPECT_EQ(wait[QStringLiteral("ms")].toInt(), 3000);
    EXPECT_EQ(club.count(QStringLiteral("AcessoDia")), 0);
    EXPECT_EQ(club.count(QStringLiteral("AcessoVisitantes")), 0);
}

TEST_F(IdentifyCommand, NameModeFindsTheStudent) {
    club.addStudent(QStringLiteral("0000000321"), QStringLiteral("BRUNA LIMA"));
    club.addStudent(QStringLiteral("0000000100"), QStringLiteral("ANA"));
    club.db().exec(QStringLiteral("UPDATE Sacvar SET MATRICULA_ACESSO = 'Não'"));
    // The found student goes on to the decision.
    EXPECT_TRUE(run({QStringLiteral("--name"), QStringLiteral("bru")})
                    .contains(QStringLiteral("BRUNA LIMA")));
    // In name mode a number typed there is not looked up, and begins no name.
    EXPECT_EQ(run({QStringLiteral("--name"), QStringLiteral("777")}, 2), QString());
}

// The tool, given a name, identifies only a member whose name begins with it: where the
// window's Enter would take the row the list rests on, the tool says so and writes nothing.
TEST_F(IdentifyCommand, NameThatBeginsNoNameIdentifiesNobody) {
    club.addStudent(QStringLiteral("0000000321"), QStringLiteral("Simone Figueiredo"));
    club.addStudent(QStringLiteral("0000000322"), QStringLiteral("Zélia Prado"));
    club.db().exec(QStringLiteral("UPDATE Sacvar SET MATRICULA_ACESSO = 'Não'"));
    const struct {
        const char* name;
        int status;
        const char* shown; // the name label, or nothing when nobody is identified
    } cases[] = {
        {"Zzz", 2, nullptr},         {"Simões", 2, nullptr},
        {"Figueiredo", 2, nullptr},  {"simone f", 0, "Simone Figueiredo"},
        {"ZÉLIA", 0, "Zélia Prado"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const ToolOutput ran = runToolInProcess(
            {QStringLiteral("identify"), QStringLiteral("--datalink-dir"), club.db().folder(),
             QStringLiteral("--dry-run"), QStringLiteral("--name"), QString::fromUtf8(c.name)});
        EXPECT_EQ(ran.status, c.status) << ran.err.toStdString();
        if (c.shown) {
            EXPECT_TRUE(ran.out.contains(QString::fromUtf8(c.shown))) << ran.out.toStdString();
        } else {
            EXPECT_EQ(ran.out, QString());
            EXPECT_TRUE(ran.err.contains(QStringLiteral("no active member's name begins with '") +
                                         QString::fromUtf8(c.name)))
                << ran.err.toStdString();
        }
    }
    EXPECT_EQ(run({QStringLiteral("--name"), QStringLiteral("Simões")}, 2), QString());
    EXPECT_EQ(club.count(QStringLiteral("AcessoDia")), 0);
    EXPECT_EQ(club.count(QStringLiteral("Acesso")), 0);
}

// A text the terminal's entry takes none of, or that no entry opens for, is not silence.
TEST_F(IdentifyCommand, EntryThatTakesNothingSaysWhatTheTerminalDid) {
    const ToolOutput picture =
        runToolInProcess({QStringLiteral("identify"), QStringLiteral("--datalink-dir"),
                          club.db().folder(), QStringLiteral("whorl.pgm")});
    EXPECT_EQ(picture.status, 1);
    EXPECT_TRUE(picture.err.contains(QStringLiteral("number entry kept no character of "
                                                    "'whorl.pgm'")) &&
                picture.err.contains(QStringLiteral("--finger")))
        << picture.err.toStdString();

    club.db().exec(QStringLiteral("UPDATE Sacvar SET PINPAD = 'COM9', PADRAOTEC12 = 'Sim'"));
    const ToolOutput keypad =
        runToolInProcess({QStringLiteral("identify"), QStringLiteral("--datalink-dir"),
                          club.db().folder(), QStringLiteral("12345")});
    EXPECT_EQ(keypad.status, 1);
    EXPECT_TRUE(keypad.err.contains(QStringLiteral("opened no keyboard entry")))
        << keypad.err.toStdString();
    EXPECT_EQ(club.count(QStringLiteral("AcessoDia")), 0);
}

TEST_F(IdentifyCommand, BranchChoosesTheUnitAndTheNoteGoesWithTheRow) {
    SecondUnit unit(club);
    SecondUnit::listUnit(club, 1, QStringLiteral("Unidade Centro"), club.db().file());
    unit.addStudent(QStringLiteral("0000050001"), QStringLiteral("JOANA JARDIM"));
    // Without the unit chosen the member is not known here.
    EXPECT_TRUE(run({QStringLiteral("50001")}).contains(QStringLiteral("Inexistente !!!")));

    const QString output =
        run({QStringLiteral("--branch"), QStringLiteral("7"), QStringLiteral("--observation"),
             QStringLiteral("Veio do Jardim"), QStringLiteral("50001")});
    EXPECT_TRUE(output.contains(QStringLiteral("status panel: Acesso Livre")))
        << output.toStdString();
    EXPECT_TRUE(output.contains(QStringLiteral("name label: JOANA JARDIM")));
    EXPECT_EQ(club.value(QStringLiteral("SELECT CODIGO_FILIAL FROM Acesso")).toDouble(), 7.0);
    EXPECT_EQ(club.value(QStringLiteral("SELECT OBS FROM Acesso")).toString(),
              QStringLiteral("Veio do Jardim"));
    EXPECT_EQ(club.value(QStringLiteral("SELECT OBS FROM AcessoDia")).toString(),
              QStringLiteral("Acesso Livre"));
    EXPECT_EQ(club.value(QStringLiteral("SELECT CODIGO_FILIAL FROM AcessoDia")).toDouble(), 7.0);
}

TEST_F(IdentifyCommand, BranchThatCannotBeUsedSaysWhy) {
    SecondUnit unit(club);
    unit.db().exec(QStringLiteral("DROP TABLE AlunosAtivos"));
    const QString output =
        run({QStringLiteral("--branch"), QStringLiteral("7"), QStringLiteral("50001")}, 1);
    EXPECT_TRUE(output.contains(QStringLiteral("message box: ")));
    EXPECT_TRUE(output.contains(QStringLiteral("Filial Inacessível")));
    EXPECT_EQ(club.count(QStringLiteral("AcessoDia")), 0);
}

TEST_F(IdentifyCommand, BadArguments) {
    struct Case {
        QStringList arguments;
        int status;
        const char* said;
    };
    const Case cases[] = {
        {{QStringLiteral("--at"), QStringLiteral("25:00"), QStringLiteral("1")}, 2, "--at"},
        {{}, 2, "missing"},
        {{QStringLiteral("--branch"), QStringLiteral("dois"), QStringLiteral("1")}, 2, "dois"},
        {{QStringLiteral("--observation"), QString(31, QLatin1Char('x')), QStringLiteral("1")},
         2,
         "at most 30"},
        {{QStringLiteral("--branch"), QStringLiteral("7"), QStringLiteral("1")}, 1, "no units"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.said);
        const QStringList arguments{QStringLiteral("identify"), QStringLiteral("--datalink-dir"),
                                    club.db().folder()};
        const ToolOutput ran = runToolInProcess(arguments + c.arguments);
        EXPECT_EQ(ran.status, c.status);
        EXPECT_TRUE(ran.err.contains(QString::fromUtf8(c.said))) << ran.err.toStdString();
    }
    SecondUnit unit(club);
    const ToolOutput ran = runToolInProcess(
        {QStringLiteral("identify"), QStringLiteral("--datalink-dir"), club.db().folder(),
         QStringLiteral("--branch"), QStringLiteral("3"), QStringLiteral("1")});
    EXPECT_EQ(ran.status, 1);
    EXPECT_TRUE(ran.err.contains(QStringLiteral("no unit 3 (its units: 7)")))
        << ran.err.toStdString();
}

} // namespace
} // namespace orvalen::test
