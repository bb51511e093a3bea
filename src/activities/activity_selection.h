#pragma once

#include "store/aviso.h"
#include "store/connection.h"
#include "store/local_settings.h"

#include <QString>
#include <QVector>

namespace orvalen::activities {

// One line of the activity check list: CODIGO + "-" + DESCRICAO.
struct ActivityItem {
    QString text;
    bool checked = false;
};

// The activity dialog TFRMATIVIDADES without its window: lists the club's activities,
// ticks those Acesso.txt names and writes the ticked ones back.
class ActivitySelection {
public:
    ActivitySelection(const store::ClubConnection& connection, const store::LocalSettings& local,
                      store::Aviso& aviso, QString accessPointFile);

    // Opens Atividades and fills the list from the file. False when the table could not be
    // opened: the messages have been shown and the dialog closes.
    bool FormShow();

    QVector<ActivityItem>& LBXATIVIDADES() { return items_; }
    const QString& PStrAtividade() const { return PStrAtividade_; }

    // Writes the ticked codes (nothing ticked removes the filter); the dialog closes after
    // it whatever happened.
    void BBNCONFIRMAClick();

private:
    bool Carrega_Atividades();

    const store::ClubConnection& connection_;
    const store::LocalSettings& local_;
    store::Aviso& aviso_;
    QString file_;
    QString PStrAtividade_;
    QVector<ActivityItem> items_;
};

} // namespace orvalen::activities
