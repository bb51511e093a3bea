#include "support/terminal_fixture.h"

#include <QFile>
#include <gtest/gtest.h>

namespace orvalen::test {
namespace {

using namespace terminal::colours;

TEST(ScreenOutcome, MostraAcessoPanelsPicturesAndWaits) {
    struct Case {
        const char* text;
        const char* name;
        const char* status;
        QColor statusColour;
        const char* information;
        bool grantPicture;
        std::vector<int> waits;
        const char* modality; // "INEXIS", in capitals, puts the current number there
        bool photoKept;       // "Inexistente" names nobody: no photo beside it
    };
    const Case cases[] = {
        {"Acesso Livre", "", "Acesso Livre", clGreen, "", true, {}, "", true},
        {"Fora de Hora !!!", "", "Fora de Hora !!!", clRed, "", false, {3000}, "", true},
        {"Inexistente !!!", "", "", clSilver, "Inexistente !!!", false, {3000}, "", false},
        {"Inexistente!!!", "", "", clSilver, "Inexistente!!!", false, {3000}, "", false},
        {"MATRICULA INEXISTENTE NO PLANO",
         "",
         "",
         clSilver,
         "MATRICULA INEXISTENTE NO PLANO",
         false,
         {3000},
         "0000000777",
         true},
        {"Visitante",
         "Seja Bem Vindo !!!",
         "Acesso Livre",
         clGreen,
         "Visitante",
         true,
         {},
         "",
         true},
        {"Sem acesso !!!", "JOSÉ", "Sem acesso !!!", clRed, "", false, {3000}, "", true},
        {"Professor", "JOSÉ", "", clSilver, "Professor", false, {}, "", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        TerminalFixture f;
        f.show();
        f.pump.waits.clear();
        f.unit().currentMatricula = QStringLiteral("0000000777");
        f.state().ImageFotoVisible = true;
        f.screen().MOSTRA_ACESSO(QString::fromUtf8(c.text), clBlack, QString::fromUtf8(c.name), 36);
        const auto& s = f.state();
        EXPECT_EQ(s.PNLACESSO.caption, QString::fromUtf8(c.status));
        EXPECT_EQ(s.PNLACESSO.colour, c.statusColour);
        EXPECT_EQ(s.PNLINFORMACOES.caption, QString::fromUtf8(c.information));
        EXPECT_EQ(s.Image4Visible, c.grantPicture);
        EXPECT_NE(s.Image4Visible, s.Image5Visible);
        EXPECT_TRUE(s.PNLFUNDO.visible);
        EXPECT_TRUE(s.PNLINFORMACOES.visible);
        EXPECT_FALSE(s.EDTMATRICULA.visible);
        EXPECT_FALSE(s.DBGALUNOS.visible);
        EXPECT_EQ(s.LBLNOMEALUNO.caption, QString::fromUtf8(c.name));
        EXPECT_EQ(s.LBLNOMEALUNO.visible, *c.name != 0);
        EXPECT_EQ(f.pump.waits, c.waits);
        EXPECT_EQ(s.LBLMODALIDADE.caption, QString::fromUtf8(c.modality));
        EXPECT_EQ(s.ImageFotoVisible, c.photoKept);
    }
}

TEST(ScreenOutcome, ResetRestoresTheIdleLook) {
    TerminalFixture f({{QStringLiteral("PROCURAMATRICULANOME"), QStringLiteral("Não")}});
    f.show();
    f.screen().keyPressed(0, QLatin1Char('a'));
    f.state().EDTOBSERVACAO.text = QStringLiteral("nota");
    f.screen().MOSTRA_ACESSO(QStringLiteral("Acesso Livre"), clBlack, QStringLiteral("ANA"), 36);
    f.state().LBLATIVIDADESn[3].caption = QStringLiteral("Natação");
    f.state().LBLMODALIDADE.caption = QStringLiteral("Mensal");
    f.state().BBNFILIALTag = 1;
    f.screen().PDouCodigoFilial = 7;
    f.screen().PBooLiberaCatraca = false;

    f.screen().LIMPA_TELA();
    const auto& s = f.state();
    EXPECT_FALSE(s.PNLFUNDO.visible);
    EXPECT_TRUE(s.Image5Visible);
    EXPECT_FALSE(s.Image4Visible);
    EXPECT_TRUE(s.PNLACESSO.caption.isEmpty());
    EXPECT_EQ(s.PNLACESSO.colour, clSilver);
    EXPECT_TRUE(s.PNLINFORMACOES.caption.isEmpty());
    EXPECT_EQ(s.PNLINFORMACOES.colour, clSilver);
    EXPECT_FALSE(s.PNLINFORMACOES.visible);
    EXPECT_FALSE(s.LBLINFORMACOES.visible);
    EXPECT_FALSE(s.LBLNOMEALUNO.visible);
    EXPECT_TRUE(s.LBLNOMEALUNO.caption.isEmpty());
    EXPECT_TRUE(s.EDTMATRICULA.visible);
    EXPECT_TRUE(s.EDTMATRICULA.enabled);
    EXPECT_TRUE(s.EDTMATRICULA.text.isEmpty());
    EXPECT_TRUE(s.DBGALUNOS.visible);
    EXPECT_TRUE(s.keyPreview);
    EXPECT_EQ(s.focus, QStringLiteral("BBNOBS"));
    EXPECT_TRUE(s.LBLATIVIDADESn[3].caption.isEmpty());
    EXPECT_TRUE(s.LBLMODALIDADE.caption.isEmpty());
    EXPECT_EQ(s.EDTOBSERVACAO.text, QStringLiteral("nota")); // kept for the next person
    EXPECT_EQ(s.LBLTECLADO.caption, QStringLiteral("Teclado"));
    EXPECT_TRUE(s.PNLMATRICULA.visible);
    EXPECT_EQ(s.PNLNOME.colour, clGreen);
    EXPECT_EQ(s.PNLMATRICULA.colour, clRed);
    EXPECT_EQ(f.screen().LSTRCOLORMATRICULANOME, clRed);
    EXPECT_EQ(s.BBNFILIALTag, 0);
    EXPECT_EQ(f.screen().PDouCodigoFilial, 1.0);
    EXPECT_TRUE(f.screen().PBooLiberaCatraca);
    EXPECT_FALSE(f.unit().photoFollow);
    EXPECT_FALSE(f.screen().keyboardTakeover);
    EXPECT_TRUE(s.BBNRETORNA.enabled);
    EXPECT_EQ(s.caption, QStringLiteral("Controle de Acesso"));
}

TEST(ScreenOutcome, StartUpFollowsTheSettings) {
    TerminalFixture f({{QStringLiteral("PROCURAMATRICULANOME"), QStringLiteral("Sim")},
                       {QStringLiteral("ACESSO_HORA"), QStringLiteral("Sim")},
                       {QStringLiteral("CLIENTE"), 12.0}});
    f.db().exec(QStringLiteral("INSERT INTO Filial (CLIENTE, Nome_Unidade) VALUES (2, 'Centro')"));
    f.show();
    const auto& s = f.state();
    EXPECT_EQ(f.screen().PDouCodigoFilial, 12.0);
    EXPECT_EQ(s.PNLMATRICULA.colour, clGreen);
    EXPECT_EQ(s.PNLNOME.colour, clRed);
    EXPECT_TRUE(s.PNLMATRICULA.visible);
    EXPECT_TRUE(s.BBNFILIAL.visible);
    EXPECT_TRUE(s.LBLHORA.visible);
    EXPECT_FALSE(s.LBLDATA.visible);
    EXPECT_EQ(s.LBLHORA.caption, QStringLiteral("09:30"));
    EXPECT_TRUE(s.fundo1024x768Visible);
    EXPECT_FALSE(s.PNLFUNDO.visible);
    EXPECT_FALSE(s.closeRequested);
}

TEST(ScreenOutcome, MissingTableClosesTheScreen) {
    TerminalFixture f;
    f.db().exec(QStringLiteral("DROP TABLE AcessoVisitantes"));
    f.show();
    ASSERT_EQ(f.aviso.boxes.size(), 1u);
    EXPECT_EQ(f.aviso.boxes[0].text, QStringLiteral("Abertura de tabela !"));
    EXPECT_EQ(f.aviso.boxes[0].detail, QStringLiteral("AcessoVisitantes"));
    EXPECT_TRUE(f.state().closeRequested);
}

} // namespace
} // namespace orvalen::test
