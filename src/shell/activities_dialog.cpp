#include "shell/activities_dialog.h"

#include "shell/dialog_style.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace orvalen::shell {

ActivitiesDialog::ActivitiesDialog(activities::ActivitySelection& selection, QWidget* parent)
    : QDialog(parent), selection_(selection) {
    setObjectName(QStringLiteral("FRMATIVIDADES"));
    setWindowTitle(QStringLiteral("Atividades"));
    applyDialogLook(*this);
    setFixedSize(506, 386);

    auto* layout = new QVBoxLayout(this);
    auto* frame = new QGroupBox(QStringLiteral("Selecionar Atividade para ter Acesso "), this);
    frame->setObjectName(QStringLiteral("RadioGroup1"));
    frame->setFont(navyArial(10, true));
    auto* frameLayout = new QVBoxLayout(frame);
    list_ = new QListWidget(frame);
    list_->setObjectName(QStringLiteral("LBXATIVIDADES"));
    QFont narrow(QStringLiteral("Arial Narrow"));
    narrow.setPixelSize(15);
    list_->setFont(narrow);
    list_->setStyleSheet(QStringLiteral("QListWidget::item { height: 20px; }"));
    frameLayout->addWidget(list_);
    layout->addWidget(frame, 1);

    auto* buttons = new QHBoxLayout();
    buttons->addStretch(1);
    auto* confirmButton =
        new QPushButton(style()->standardIcon(QStyle::SP_DialogApplyButton), QString(), this);
    confirmButton->setObjectName(QStringLiteral("BBNCONFIRMA"));
    confirmButton->setToolTip(QStringLiteral("Confirma"));
    confirmButton->setFixedSize(72, 40);
    confirmButton->setIconSize(QSize(24, 24));
    auto* cancelButton =
        new QPushButton(style()->standardIcon(QStyle::SP_DialogCancelButton), QString(), this);
    cancelButton->setObjectName(QStringLiteral("BBNCANCELA"));
    cancelButton->setToolTip(QStringLiteral("Cancela"));
    cancelButton->setFixedSize(72, 40);
    cancelButton->setIconSize(QSize(24, 24));
    buttons->addWidget(confirmButton);
    buttons->addWidget(cancelButton);
    layout->addLayout(buttons);

    connect(confirmButton, &QPushButton::clicked, this, &ActivitiesDialog::confirm);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

bool ActivitiesDialog::prepare() {
    if (!selection_.FormShow()) {
        return false;
    }
    list_->clear();
    for (const activities::ActivityItem& item : selection_.LBXATIVIDADES()) {
        auto* row = new QListWidgetItem(item.text, list_);
        row->setFlags(row->flags() | Qt::ItemIsUserCheckable);
        row->setCheckState(item.checked ? Qt::Checked : Qt::Unchecked);
    }
    return true;
}

void ActivitiesDialog::confirm() {
    auto& items = selection_.LBXATIVIDADES();
    for (int row = 0; row < list_->count() && row < items.size(); ++row) {
        items[row].checked = list_->item(row)->checkState() == Qt::Checked;
    }
    selection_.BBNCONFIRMAClick();
    accept();
}

} // namespace orvalen::shell
