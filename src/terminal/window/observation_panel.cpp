#include "terminal/window/observation_panel.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace orvalen::terminal {

ObservationPanel::ObservationPanel(QWidget* parent)
    : QFrame(parent), field_(new QLineEdit(this)), exit_(new QPushButton(this)) {
    setObjectName(QStringLiteral("PNLOBSERVACAO"));
    resize(520, 150);
    // Colour value 16510423 of the panel, the dialogs' light blue.
    setStyleSheet(
        QStringLiteral("#PNLOBSERVACAO { background: rgb(215, 237, 251); border: 2px solid #5b7aa6;"
                       " border-radius: 6px; }"));

    auto* caption = new QLabel(QStringLiteral("Observação"), this);
    caption->setGeometry(20, 12, 480, 28);
    caption->setStyleSheet(
        QStringLiteral("color: #000080; font-family: Arial; font-size: 20px; font-weight: bold;"));

    field_->setObjectName(QStringLiteral("EDTOBSERVACAO"));
    field_->setGeometry(20, 48, 480, 40);
    field_->setReadOnly(true);
    field_->setFocusPolicy(Qt::NoFocus);
    field_->setStyleSheet(QStringLiteral(
        "QLineEdit { font-family: Arial; font-size: 20px; background: white;"
        " border: 2px solid #5b7aa6; border-radius: 4px; padding: 0 6px; color: #10213a; }"));

    exit_->setObjectName(QStringLiteral("BBNRETORNAOBS"));
    exit_->setGeometry(410, 100, 90, 34);
    exit_->setFocusPolicy(Qt::NoFocus);
    hide();
}

void ObservationPanel::render(const ScreenState& state) {
    setVisible(state.PNLOBSERVACAO.visible);
    const EntryField& note = state.EDTOBSERVACAO;
    // The field holds no keyboard focus of its own; a bar marks where typing goes.
    const int cursor = qBound(0, note.cursor, static_cast<int>(note.text.size()));
    const bool typing = state.focus == QLatin1String("EDTOBSERVACAO");
    field_->setText(typing ? note.text.left(cursor) + QLatin1Char('|') + note.text.mid(cursor)
                           : note.text);
    exit_->setText(state.BBNRETORNAOBS.caption);
    exit_->setToolTip(state.BBNRETORNAOBS.caption);
    exit_->setEnabled(state.BBNRETORNAOBS.enabled);
}

} // namespace orvalen::terminal
