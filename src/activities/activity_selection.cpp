#include "activities/activity_selection.h"

#include "activities/access_point_file.h"
#include "store/statement_catalogue.h"
#include "store/table_opening.h"

namespace orvalen::activities {

namespace {

const store::Statement kActivities{"TBLATIVIDADES", "activity dialog: the club's activities",
                                   "SELECT CODIGO, DESCRICAO FROM Atividades ORDER BY codigo"};

} // namespace

ActivitySelection::ActivitySelection(const store::ClubConnection& connection,
                                     const store::LocalSettings& local, store::Aviso& aviso,
                                     QString accessPointFile)
    : connection_(connection), local_(local), aviso_(aviso), file_(std::move(accessPointFile)) {}

bool ActivitySelection::FormShow() {
    const store::OpeningResult opened =
        store::ABRE_TABELAS(store::OpeningScreen::ActivityDialog, connection_, local_);
    if (!opened.ok || !Carrega_Atividades()) {
        aviso_.AVISO(QStringLiteral("!"), QLatin1String(store::kOpeningFailureText),
                     QStringLiteral("Atividades"));
        aviso_.AVISO(QStringLiteral("!"), QStringLiteral("Registro já alocado"));
        return false;
    }
    return true;
}

bool ActivitySelection::Carrega_Atividades() {
    // Every code the file holds is ticked, however long the file: the dialog rewrites it. A
    // file that cannot be read ticks nothing; confirming writes a readable one in its place.
    const auto codes = readAccessPointCodes(file_, kAllPieces);
    PStrAtividade_ = codes.ok() ? codes->join(QString()) : QString();
    auto rows = connection_.execute(kActivities.text(connection_.dialect()));
    if (!rows.ok()) {
        return false;
    }
    items_.clear();
    while (rows->next()) {
        items_.append(
            {rows->value(0).toString() + QLatin1Char('-') + rows->value(1).toString(), false});
    }
    for (const QString& piece : accessPointPieces(PStrAtividade_)) {
        for (ActivityItem& item : items_) {
            if (item.text.left(2) == piece) {
                item.checked = true;
            }
        }
    }
    return true;
}

void ActivitySelection::BBNCONFIRMAClick() {
    QStringList codes;
    for (const ActivityItem& item : items_) {
        if (item.checked) {
            codes.append(item.text.left(2));
        }
    }
    PStrAtividade_ = codes.join(QString());
    if (!writeAccessPointCodes(file_, codes).ok()) {
        aviso_.AVISO(QStringLiteral("!"), QStringLiteral("Gravando na tabela !"),
                     QStringLiteral("Gravando Acesso.txt !"));
    }
}

} // namespace orvalen::activities
