#include "store/fingerprint_templates.h"
#include "store/people_lookups.h"
#include "support/decision_harness.h"
#include "support/qstring_printer.h"
#include "support/terminal_fixture.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace orvalen::test {
namespace {

const QString kStudent = QStringLiteral("0000000101");

QString s(const char* text) {
    return QString::fromUtf8(text);
}

// Texts that would change a statement built by pasting them in: quotes, comments,
// statement ends and keywords.
const QString kHostile[] = {
    s("D'ÁVILA"),
    s("O''BRIEN --"),
    s("X'); DELETE FROM AcessoDia; --"),
    s("1' OR '1'='1"),
    s("\"; DROP TABLE Acesso; /*"),
    s("Robert'); DROP TABLE AlunosAtivos;--"),
};

int rows(DecisionHarness& h, const char* table) {
    return h.count(QStringLiteral("SELECT COUNT(*) FROM ") + QLatin1String(table));
}

// A member's name and the operator's note go into the log rows as they are, and nothing
// else in the club changes.
TEST(LiteralText, NamesAndNotesAreStoredAsTheyAre) {
    for (const QString& text : kHostile) {
        SCOPED_TRACE(text.toStdString());
        DecisionHarness h;
        h.addStudent(kStudent, {{s("NOME"), text}});
        h.addStudent(s("0000000202"));
        h.insert("Acesso", {{s("MATRICULA"), s("0000000202")}, {s("STATUS"), s("L")}});
        h.open();
        h.screen().state().EDTOBSERVACAO.text = text;
        h.type(kStudent);

        EXPECT_TRUE(h.errorLog.messages.isEmpty())
            << h.errorLog.messages.join(QLatin1Char('\n')).toStdString();
        EXPECT_TRUE(h.observer.statusTexts.contains(s("Acesso Livre")));
        EXPECT_EQ(rows(h, "AcessoDia"), 1);
        EXPECT_EQ(rows(h, "Acesso"), 2);
        EXPECT_EQ(rows(h, "AlunosAtivos"), 2);
        auto stored = h.db.connection().execute(
            s("SELECT D.NOME, A.OBS FROM AcessoDia D JOIN Acesso A ON A.MATRICULA = D.MATRICULA"));
        ASSERT_TRUE(stored.ok() && stored->next());
        // As much as each column holds: 35 characters of NOME, 30 of OBS.
        EXPECT_EQ(stored->value(0).toString(), text.left(35));
        EXPECT_EQ(stored->value(1).toString(), text.left(30));
    }
}

// A number typed or read that carries such text finds nobody and harms nothing: it is
// compared as the text it is.
TEST(LiteralText, EntriesAndCardFramesAreLookedUpAsTheyAre) {
    for (const QString& text : kHostile) {
        SCOPED_TRACE(text.toStdString());
        TerminalFixture f({{s("PINPAD"), s("COM4")}, {s("PADRAOTEC12"), s("Não")}});
        f.addStudent(kStudent, s("ANA"));
        f.addAccessRow(kStudent, s("L"), s("Acesso Livre"));
        f.show();
        ASSERT_TRUE(static_cast<bool>(f.readerLine.rxChar));
        const QByteArray frame = text.toUtf8().left(12).leftJustified(12, '\n');
        f.readerLine.waiting = frame;
        f.readerLine.rxChar(static_cast<int>(frame.size()));

        EXPECT_TRUE(f.errorLog.messages.isEmpty())
            << f.errorLog.messages.join(QLatin1Char('\n')).toStdString();
        // The frame was read and its text refused after the lookup ("Inexistente !!!" held
        // for ACESSO_TEMPO).
        EXPECT_TRUE(f.readerLine.waiting.isEmpty());
        EXPECT_NE(std::find(f.pump.waits.begin(), f.pump.waits.end(), 3000), f.pump.waits.end());
        EXPECT_EQ(f.count(s("AcessoDia")), 0);
        EXPECT_EQ(f.count(s("Acesso")), 1);
        EXPECT_EQ(f.count(s("AlunosAtivos")), 1);
        EXPECT_TRUE(f.state().EDTMATRICULA.text.isEmpty());
    }
}

// The name search and the fingerprint templates read and write such text unchanged.
TEST(LiteralText, NameSearchAndTemplatesKeepTheText) {
    TestDatabase db;
    const store::PeopleLookups people(db.connection());
    int number = 300;
    for (const QString& text : kHostile) {
        SCOPED_TRACE(text.toStdString());
        const QString matricula = QStringLiteral("%1").arg(++number, 10, 10, QLatin1Char('0'));
        db.exec(s("INSERT INTO AlunosAtivos (MATRICULA, NOME) VALUES (:M, :N)"),
                {{s(":M"), matricula}, {s(":N"), text}});
        db.exec(s("INSERT INTO Alunos (Matricula) VALUES (:M)"), {{s(":M"), matricula}});

        const auto found = people.firstActiveFrom(store::StudentOrder::Nome, text);
        ASSERT_TRUE(found.ok()) << found.error().message.toStdString();
        ASSERT_TRUE(found->has_value());
        EXPECT_EQ(found.value()->nome, text);

        const store::Status written = db.connection().inTransaction([&] {
            return store::fingerprints::QRYGRAVADIGITAL(
                db.connection(), {QStringLiteral("ALUNOSATIVOS"), matricula}, text, text + text);
        });
        ASSERT_TRUE(written.ok()) << written.error().message.toStdString();
    }
    const auto templates = store::fingerprints::studentDigitalTemplates(db.connection());
    ASSERT_TRUE(templates.ok()) << templates.error().message.toStdString();
    ASSERT_EQ(templates->size(), std::size(kHostile));
    for (const auto& stored : templates.value()) {
        const int index = stored.matricula.toInt() - 301;
        EXPECT_EQ(stored.templateText, kHostile[index]);
    }
    const auto persona = store::fingerprints::TBLDIGITALPERSONA(db.connection());
    ASSERT_TRUE(persona.ok()) << persona.error().message.toStdString();
    ASSERT_EQ(persona->size(), std::size(kHostile));
    for (const auto& stored : persona.value()) {
        const QString& text = kHostile[stored.matricula.toInt() - 301];
        EXPECT_EQ(stored.templateText, text + text);
    }
}

} // namespace
} // namespace orvalen::test
