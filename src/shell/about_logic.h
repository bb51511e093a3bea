#pragma once

#include "store/aviso.h"
#include "store/connection.h"
#include "store/local_settings.h"

#include <QString>

namespace orvalen::shell {

// What the about box TFRMSOBRE shows, empty where its table could not be opened.
struct AboutTexts {
    QString version = QStringLiteral("Versão: 9.26");
    QString filial;      // "Filial: " + Sacvar2.FILIAL
    QString cliente;     // Sacvar.CLIENTE
    QString academia;    // Sacvar.ACADEMIA
    QString endereco;    // Sacvar.ENDERACADEMIA
    QString complemento; // Sacvar.COMPLEMENTO1
    QString cnpj;        // Sacvar.CNPJCPF
    QString inscricao;   // Sacvar2.INSC_MUNICIPAL
};

// Opens the about box's two settings tables on its own connection; a table that cannot be
// opened shows its message and the box still opens with what could be read.
AboutTexts loadAboutTexts(const store::ClubConnection& connection,
                          const store::LocalSettings& local, store::Aviso& aviso);

} // namespace orvalen::shell
