#include "support/terminal_fixture.h"

#include <gtest/gtest.h>

namespace orvalen::test {
namespace {

TEST(ScreenStudentLookup, NotOnFileInactiveAndBirthDay) {
    struct Case {
        const char* typed;
        bool birthDay;
        const char* information;
        const char* current;
    };
    const Case cases[] = {
        {"777", false, "Inexistente !!!", "0000000777"},
        {"200", false, "Inativo !!!", "0000000200"},
        {"10014", true, "Inexistente !!!", "0000000100"}, // born on the 15th
        {"15", true, "Inexistente !!!", ""},
        {"10015", true, "", "0000000100"},
        {"100", false, "", "0000000100"},
        {"30030", true, "", "0000000300"}, // no birth date: the zero date's day
        {"30015", true, "Inexistente !!!", "0000000300"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        TerminalFixture f({{QStringLiteral("ACESSO_MATRICULA_NASC"),
                            c.birthDay ? QStringLiteral("Sim") : QStringLiteral("Não")}});
        f.addStudent(QStringLiteral("0000000100"), QStringLiteral("ANA"), QDate(1990, 5, 15));
        f.addStudent(QStringLiteral("0000000200"), QStringLiteral("BETO"), QDate(1990, 5, 15),
                     false);
        f.addStudent(QStringLiteral("0000000300"), QStringLiteral("CARLA"), QDate());
        f.show();
        f.type(QString::fromUtf8(c.typed));
        const QString information = QString::fromUtf8(c.information);
        // A refused lookup is shown and held, then the screen goes back to idle; a found
        // student goes on to the decision, which logs its outcome.
        const bool decided = information.isEmpty();
        if (!decided) {
            EXPECT_EQ(f.pump.waits, std::vector<int>{3000});
        }
        EXPECT_TRUE(f.state().EDTMATRICULA.enabled);
        EXPECT_FALSE(f.state().PNLFUNDO.visible);
        if (*c.current != 0) {
            EXPECT_EQ(f.unit().currentMatricula, QString::fromUtf8(c.current));
        }
        // Nothing is logged by the lookup itself.
        EXPECT_EQ(f.count(QStringLiteral("AcessoDia")) + f.count(QStringLiteral("Acesso")),
                  decided ? 2 : 0);
    }
}

TEST(ScreenStudentLookup, ErrorsEndTheEntryInTheLogAndReset) {
    struct Case {
        const char* tempo;
        const char* typed;
        bool name;
    };
    const Case cases[] = {
        {"3000", "00 12", false}, // malformed employee number
        {"3s", "777", false},     // malformed hold time at the wait
        {"3000", "00AB", true},   // name-mode text beginning with 00 from a reader
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        TerminalFixture f({{QStringLiteral("ACESSO_TEMPO"), QString::fromUtf8(c.tempo)}});
        f.show();
        f.screen().keyPressed(0, QLatin1Char('1'));
        f.state().EDTMATRICULA.text = QString::fromUtf8(c.typed);
        if (c.name) {
            f.unit().sharedMatricula =
                f.state().EDTMATRICULA.text; // a fed result passes name mode unchanged
            f.screen().PNLNOMEClick();
            f.state().EDTMATRICULA.text = QString::fromUtf8(c.typed);
        }
        f.screen().keyPressed(0, QChar(terminal::kEnter));
        EXPECT_TRUE(f.state().EDTMATRICULA.enabled);
        EXPECT_TRUE(f.state().keyPreview);
        EXPECT_FALSE(f.state().PNLFUNDO.visible);
        if (QString::fromUtf8(c.tempo) != QStringLiteral("3000")) {
            ASSERT_EQ(f.errorLog.messages.size(), 1);
            EXPECT_TRUE(f.errorLog.messages[0].contains(QStringLiteral("ACESSO_TEMPO")));
        } else {
            EXPECT_EQ(f.pump.waits, std::vector<int>{3000}); // "Inexistente !!!" was shown
        }
    }
}

} // namespace
} // namespace orvalen::test
