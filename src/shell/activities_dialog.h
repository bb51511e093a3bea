#pragma once

#include "activities/activity_selection.h"

#include <QDialog>

class QListWidget;

namespace orvalen::shell {

// The activity dialog TFRMATIVIDADES: a check list of the club's activities.
class ActivitiesDialog : public QDialog {
public:
    ActivitiesDialog(activities::ActivitySelection& selection, QWidget* parent = nullptr);

    // Opens the table and fills the list; false when the dialog is not to be shown.
    bool prepare();

    QListWidget* list() const { return list_; }
    void confirm(); // BBNCONFIRMAClick

private:
    activities::ActivitySelection& selection_;
    QListWidget* list_;
};

} // namespace orvalen::shell
