#pragma once

#include "terminal/screen_state.h"

#include <QFrame>

class QLineEdit;
class QPushButton;

namespace orvalen::terminal {

// PNLOBSERVACAO: the caption "Observação", the note EDTOBSERVACAO and BBNRETORNAOBS.
// The keys reach the note through the screen, as every key of the terminal does.
class ObservationPanel : public QFrame {
public:
    explicit ObservationPanel(QWidget* parent);

    QPushButton* exitButton() const { return exit_; }
    void render(const ScreenState& state);

private:
    QLineEdit* field_;
    QPushButton* exit_;
};

} // namespace orvalen::terminal
