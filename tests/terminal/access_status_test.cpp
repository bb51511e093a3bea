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

TEST(AccessStatus, StatusTextsGoToTheStatusPanel) {
    EXPECT_TRUE(isStatusText(QStringLiteral("Fora de Hora !!!")));
    EXPECT_TRUE(isStatusText(QStringLiteral("Acesso Livre")));
    EXPECT_FALSE(isStatusText(QStringLiteral("Inexistente !!!")));
    EXPECT_FALSE(isStatusText(QStringLiteral("Visitante")));
    EXPECT_FALSE(isStatusText(QStringLiteral("Excedeu Acesso !!!")));
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
