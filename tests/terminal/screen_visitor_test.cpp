#include "support/decision_harness.h"
#include "support/terminal_fixture.h"

#include <gtest/gtest.h>

namespace orvalen::test {
namespace {

TEST(ScreenVisitor, ObsFromTheLastLoggedStudent) {
    struct Case {
        const char* status;
        const char* obs;
        const char* observation;
        const char* visitorObs;
    };
    const Case cases[] = {
        {"S", "Fora Validade !!!", "", "1234-Fora Validade !!!"},
        {"L", "Acesso Livre", "", ""},
        {"H", "Fora de Hora !!!", "Amigo do sócio", "Amigo do sócio"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.status);
        TerminalFixture f;
        f.addAccessRow(QStringLiteral("0000001234"), QString::fromUtf8(c.status),
                       QString::fromUtf8(c.obs));
        f.show();
        f.state().EDTOBSERVACAO.text = QString::fromUtf8(c.observation);
        f.pump.waits.clear();
        f.type(QStringLiteral("0000999999"));

        EXPECT_EQ(f.value(QStringLiteral("SELECT OBS FROM AcessoVisitantes")).toString(),
                  QString::fromUtf8(c.visitorObs));
        EXPECT_EQ(f.value(QStringLiteral("SELECT USUARIO FROM AcessoVisitantes")).toString(),
                  QStringLiteral("01"));
        EXPECT_EQ(f.value(QStringLiteral("SELECT FILIAL FROM AcessoVisitantes")).toString(),
                  QStringLiteral("01"));
        EXPECT_EQ(
            f.value(QStringLiteral("SELECT MATRICULA || '/' || STATUS FROM AcessoDia")).toString(),
            QStringLiteral("9999999999/V"));
        EXPECT_TRUE(f.value(QStringLiteral("SELECT DATA FROM AcessoDia"))
                        .toString()
                        .startsWith(QStringLiteral("2026-03-10")));
        EXPECT_TRUE(f.state().EDTOBSERVACAO.text.isEmpty());
        // No outcome wait for a visitor; the release without a turnstile holds ACESSO_TEMPO.
        EXPECT_EQ(f.pump.waits, std::vector<int>{3000});
        EXPECT_TRUE(f.state().EDTMATRICULA.enabled);
    }
}

TEST(ScreenVisitor, GreetedWithoutTheListsPhoto) {
    TerminalFixture f;
    f.addStudent(QStringLiteral("0000000100"), QStringLiteral("ANA"));
    f.addPhoto(QStringLiteral("0000000100"), jpegOf(Qt::red));
    f.show();
    for (const QChar key : QStringLiteral("0000999999")) {
        f.screen().keyPressed(0, key);
    }
    ASSERT_TRUE(f.state().ImageFotoVisible); // the list's first member, followed while typing
    f.screen().keyPressed(0, QChar(terminal::kEnter));
    EXPECT_EQ(f.count(QStringLiteral("AcessoDia")), 1);
    EXPECT_FALSE(f.state().ImageFotoVisible);
}

TEST(ScreenVisitor, FailedWriteShowsTheMessageAndCloses) {
    TerminalFixture f;
    f.show();
    f.db().exec(QStringLiteral("DROP TABLE AcessoDia"));
    f.type(QStringLiteral("9999999999"));
    ASSERT_EQ(f.aviso.boxes.size(), 1u);
    EXPECT_EQ(f.aviso.boxes[0].text, QStringLiteral("Gravando na tabela !"));
    EXPECT_EQ(f.aviso.boxes[0].detail, QStringLiteral("AcessoVisitantes/AcessoDia"));
    EXPECT_EQ(f.count(QStringLiteral("AcessoVisitantes")), 0); // rolled back with AcessoDia
    EXPECT_TRUE(f.state().closeRequested);
    EXPECT_TRUE(f.state().PNLACESSO.caption.isEmpty());
}

TEST(ScreenVisitor, PulsesTheFittedTurnstileForThePulseLength) {
    TerminalFixture f({{QStringLiteral("ROLETA"), QStringLiteral("COM2")},
                       {QStringLiteral("TIPO_ROLETA"), QStringLiteral("A")}});
    RecordingOutputs outputs;
    f.show().services().turnstileOutputs = &outputs;
    f.type(QStringLiteral("9999999999"));
    ASSERT_EQ(outputs.pulses.size(), 1u);
    EXPECT_EQ(outputs.pulses[0].target.kind, terminal::TurnstileOutputKind::SerialRts);
    EXPECT_EQ(outputs.pulses[0].target.device, QStringLiteral("COM2"));
    EXPECT_EQ(outputs.pulses[0].milliseconds, 500);
}

} // namespace
} // namespace orvalen::test
