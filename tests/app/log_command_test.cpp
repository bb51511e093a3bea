#include "support/terminal_fixture.h"
#include "support/tool_in_process.h"

#include <QFile>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace orvalen::test {
namespace {

using namespace Qt::StringLiterals;

// A club whose business day 10/03/2026 saw a student with nothing paid refused, and an
// employee and a visitor come in.
class LogCommand : public ::testing::Test {
protected:
    LogCommand() {
        QFile link(club.db().folder() + QStringLiteral("/Orvalen.udl"));
        link.open(QIODevice::WriteOnly);
        link.write("[oledb]\r\nProvider=SQLite;Data Source=club.db\r\n");
        link.close();
        club.addStudent(QStringLiteral("0000000321"), QStringLiteral("BRUNA LIMA"));
        club.addEmployee(QStringLiteral("0000000101"), QStringLiteral("CARLOS PORTEIRO"));
        for (const auto& [at, typed] : {std::pair("14:05", "321"), std::pair("14:06", "00101"),
                                        std::pair("14:07", "9999999999")}) {
            run({QStringLiteral("identify"), QStringLiteral("--at"), QString::fromLatin1(at),
                 QString::fromLatin1(typed)});
        }
    }

    QString run(QStringList arguments, int expectedStatus = 0) {
        arguments.insert(1, QStringLiteral("--datalink-dir"));
        arguments.insert(2, club.db().folder());
        const ToolOutput ran = runToolInProcess(arguments);
        EXPECT_EQ(ran.status, expectedStatus) << ran.err.toStdString();
        return expectedStatus == 0 ? ran.out : ran.err;
    }

    QStringList log(const QStringList& filters) {
        return run(QStringList{QStringLiteral("log")} + filters)
            .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }

    TerminalFixture club;
};

// The lines as columns split on runs of blanks.
QStringList columnsOf(const QString& line) {
    return line.split(QRegularExpression(QStringLiteral("\\s{2,}")));
}

TEST_F(LogCommand, TheBusinessDayByTimeFromAllFourTables) {
    const QStringList lines = log({});
    ASSERT_EQ(lines.size(), 6) << lines.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(columnsOf(lines[0]), (QStringList{u"DATE"_s, u"TIME"_s, u"NUMBER"_s, u"NAME"_s,
                                                u"STATUS"_s, u"OBS"_s, u"UNIT"_s, u"TABLE"_s}));
    // The student is in the permanent history and in the day's table.
    for (const QString& table : {QStringLiteral("Acesso"), QStringLiteral("AcessoDia")}) {
        const QString& line = table == QLatin1String("Acesso") ? lines[1] : lines[2];
        const QStringList columns = columnsOf(line);
        ASSERT_EQ(columns.size(), 8) << line.toStdString();
        EXPECT_EQ(columns.mid(0, 6), (QStringList{u"10/03/2026"_s, u"14:05:00"_s, u"0000000321"_s,
                                                  u"BRUNA LIMA"_s, u"S"_s, u"Sob Consulta !!!"_s}));
        EXPECT_EQ(columns.last(), table);
    }
    EXPECT_TRUE(lines[3].contains(QStringLiteral("14:06:00  0000000101  CARLOS PORTEIRO")));
    EXPECT_TRUE(lines[3].endsWith(QStringLiteral("AcessoFuncionarios")));
    EXPECT_TRUE(lines[4].contains(QStringLiteral("14:07:00")));
    EXPECT_TRUE(lines[5].contains(QStringLiteral("14:07:00")));
    EXPECT_TRUE(lines[4].contains(QStringLiteral("  V  ")) &&
                lines[5].contains(QStringLiteral("  V  ")));
}

TEST_F(LogCommand, FiltersByNumberStatusAndDate) {
    const QStringList student = log({QStringLiteral("--number"), QStringLiteral("321")});
    ASSERT_EQ(student.size(), 3);
    EXPECT_TRUE(student[1].endsWith(QStringLiteral("Acesso")) ||
                student[2].endsWith(QStringLiteral("Acesso")));
    const QStringList visitors = log({QStringLiteral("--status"), QStringLiteral("V")});
    ASSERT_EQ(visitors.size(), 3);
    EXPECT_FALSE(visitors.join(QLatin1Char('\n')).contains(QStringLiteral("BRUNA")));
    const QStringList refused = log({QStringLiteral("--status"), QStringLiteral("S")});
    ASSERT_EQ(refused.size(), 3);
    EXPECT_TRUE(refused[1].contains(QStringLiteral("BRUNA LIMA")) &&
                refused[2].contains(QStringLiteral("BRUNA LIMA")));
    EXPECT_EQ(log({QStringLiteral("--date"), QStringLiteral("2020-01-01")}),
              QStringList{QStringLiteral("no access rows on 01/01/2020")});
    EXPECT_EQ(log({QStringLiteral("--date"), QStringLiteral("10/03/2026"),
                   QStringLiteral("--status"), QStringLiteral("L")}),
              QStringList{QStringLiteral("no access rows on 10/03/2026")});
}

TEST_F(LogCommand, BadFiltersAreNamed) {
    EXPECT_TRUE(run({QStringLiteral("log"), QStringLiteral("--status"), QStringLiteral("X")}, 2)
                    .contains(QStringLiteral("'X'")));
    EXPECT_TRUE(
        run({QStringLiteral("log"), QStringLiteral("--date"), QStringLiteral("30/02/2026")}, 2)
            .contains(QStringLiteral("30/02/2026")));
    EXPECT_TRUE(run({QStringLiteral("log"), QStringLiteral("--number"), QStringLiteral("12a")}, 2)
                    .contains(QStringLiteral("'12a'")));
}

} // namespace
} // namespace orvalen::test
