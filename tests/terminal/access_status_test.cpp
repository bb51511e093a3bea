#include "support/terminal_fixture.h"
#include "terminal/access_status.h"

#include <gtest/gtest.h>

namespace orvalen::terminal {
namespace {

TEST(AccessStatus, StatusOfEachOutcome) {
    const std::pair<const char*, const char*> cases[] = {
        {"Acesso Livre", "L"},
        {"Sob Consulta !!!", "S"},
        {"Matrícula Trancada !!!", "S"},
        {"Fim de Repasse !!!", "S"},
        {"Fora Validade !!!", "S"},
        {"Avaliação Bloqueada !!!", "S"},
        {"Pendência no Cadastro", "S"},
        {"Pendente", "S"},
        {"Fora de Hora !!!", "H"},
        {"Excedeu Acesso !!!", "H"},
        {"Atividade Agendada Incorreta !!!", "H"},
        {"Solicitar Liberação da Catraca !!!", "H"},
        {"acesso livre", "H"},
    };
    for (const auto& [outcome, status] : cases) {
        EXPECT_EQ(accessStatus(QString::fromUtf8(outcome)), QString::fromUtf8(status)) << outcome;
    }
}

TEST(AccessStatus, ObsKeepsThirtyCharacters) {
    EXPECT_EQ(cutObs(QStringLiteral("Atividade Agendada Incorreta !!!")),
              QStringLiteral("Atividade Agendada Incorreta !"));
    EXPECT_EQ(cutObs(QStringLiteral("Solicitar Liberação da Catraca !!!")),
              QStringLiteral("Solicitar Liberação da Catraca"));
    EXPECT_EQ(cutObs(QStringLiteral("Acesso Livre")), QStringLiteral("Acesso Livre"));
}

// Exactly eight texts go to the status panel, red but for "Acesso Livre"; every other text
// an outcome shows, including near spellings of the eight, goes to the information panel.
TEST(AccessStatus, StatusTextsGoToTheStatusPanel) {
    using namespace colours;
    const std::pair<const char*, QColor> statusTexts[] = {
        {"Acesso Livre", clGreen},     {"Sob Consulta !!!", clRed},
        {"Sem acesso !!!", clRed},     {"Avaliação Bloqueada !!!", clRed},
        {"Fora de Hora !!!", clRed},   {"Fora Validade !!!", clRed},
        {"Fim de Repasse !!!", clRed}, {"Matrícula Trancada !!!", clRed},
    };
    const char* const informationTexts[] = {
        "Inexistente !!!",
        "Inexistente!!!",
        "Inativo !!!",
        "Parabéns !!!",
        "Médica Vencida !!!",
        "Funcional Vencida !!!",
        "Professor", // an employee's job title
        "Excedeu Acesso !!!",
        "Atividade Agendada Incorreta !!!",
        "Pendente",
        "acesso livre",
        "Sem Acesso !!!",
        "Fora de Hora !!! ",
        "Matricula Trancada !!!",
    };
    test::TerminalFixture f;
    f.show();
    const auto show = [&f](const char* text) {
        f.screen().LIMPA_TELA();
        f.screen().MOSTRA_ACESSO(QString::fromUtf8(text), clBlack, QString(), 36);
        return std::pair{f.state().PNLACESSO, f.state().PNLINFORMACOES};
    };
    for (const auto& [text, colour] : statusTexts) {
        SCOPED_TRACE(text);
        const auto [status, information] = show(text);
        EXPECT_EQ(status.caption, QString::fromUtf8(text));
        EXPECT_EQ(status.colour, colour);
        EXPECT_TRUE(information.caption.isEmpty());
    }
    for (const char* text : informationTexts) {
        SCOPED_TRACE(text);
        const auto [status, information] = show(text);
        EXPECT_TRUE(status.caption.isEmpty());
        EXPECT_EQ(status.colour, clSilver);
        EXPECT_EQ(information.caption, QString::fromUtf8(text));
    }
}

TEST(AccessStatus, VisitorObs) {
    const QString none;
    EXPECT_EQ(visitorObs(QStringLiteral("Amigo do João"), QStringLiteral("0000001234"),
                         QStringLiteral("H"), QStringLiteral("Fora de Hora !!!"))
                  .value(),
              QStringLiteral("Amigo do João"));
    EXPECT_EQ(visitorObs(none, QStringLiteral("0000001234"), QStringLiteral("S"),
                         QStringLiteral("Fora Validade !!!"))
                  .value(),
              QStringLiteral("1234-Fora Validade !!!"));
    EXPECT_EQ(visitorObs(none, QStringLiteral("0000001234"), QStringLiteral("L"),
                         QStringLiteral("Acesso Livre"))
                  .value(),
              none);
    EXPECT_EQ(visitorObs(none, none, none, none).value(), none);
    EXPECT_EQ(visitorObs(none, QStringLiteral("0000123456"), QStringLiteral("H"),
                         QStringLiteral("Atividade Agendada Incorreta !"))
                  .value(),
              QStringLiteral("123456-Atividade Agendada Inco"));
    EXPECT_FALSE(
        visitorObs(none, QStringLiteral("ABC"), QStringLiteral("H"), QStringLiteral("x")).ok());
}

} // namespace
} // namespace orvalen::terminal
