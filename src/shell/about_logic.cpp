#include "shell/about_logic.h"

#include "store/table_opening.h"

namespace orvalen::shell {

AboutTexts loadAboutTexts(const store::ClubConnection& connection,
                          const store::LocalSettings& local, store::Aviso& aviso) {
    const store::OpeningResult opened =
        store::ABRE_TABELAS(store::OpeningScreen::AboutBox, connection, local);
    if (!opened.ok) {
        store::showOpeningFailure(aviso, opened);
    }
    AboutTexts texts;
    if (opened.sacvar) {
        const store::SettingsRow& sacvar = *opened.sacvar;
        // CLIENTE is a float column holding a whole club code.
        texts.cliente = QString::number(sacvar.real(QStringLiteral("CLIENTE")), 'f', 0);
        texts.academia = sacvar.text(QStringLiteral("ACADEMIA"));
        texts.endereco = sacvar.text(QStringLiteral("ENDERACADEMIA"));
        texts.complemento = sacvar.text(QStringLiteral("COMPLEMENTO1"));
        texts.cnpj = sacvar.text(QStringLiteral("CNPJCPF"));
    }
    if (opened.sacvar2) {
        texts.filial = QStringLiteral("Filial: ") + opened.sacvar2->text(QStringLiteral("FILIAL"));
        texts.inscricao = opened.sacvar2->text(QStringLiteral("INSC_MUNICIPAL"));
    }
    return texts;
}

} // namespace orvalen::shell
