#include "terminal/terminal_screen.h"

namespace orvalen::terminal {

void TerminalScreen::BBNOBSClick() {
    disableOperatorButtons();
    // Keys go to the note now, not to an identification.
    state_.keyPreview = false;
    state_.PNLOBSERVACAO.visible = true;
    state_.EDTOBSERVACAO.text.clear();
    state_.EDTOBSERVACAO.cursor = 0;
    state_.focus = QStringLiteral("EDTOBSERVACAO");
    services_.pump.processEvents();
}

void TerminalScreen::EDTOBSERVACAOKeyPress(QChar& key) {
    if (key == QChar(kEnter)) {
        key = QChar();
        closeObservation();
    }
}

void TerminalScreen::BBNRETORNAOBSClick() {
    closeObservation();
}

// The text stays in the field for the next identification that writes a log row.
void TerminalScreen::closeObservation() {
    for (Control* button : {&state_.BBNVERIFICA, &state_.BBNCAPTURABIOMETRIA, &state_.BBNTECLADO1,
                            &state_.BBNOBS, &state_.BBNRETORNA}) {
        button->enabled = true;
    }
    state_.keyPreview = true;
    state_.PNLOBSERVACAO.visible = false;
    state_.focus = QStringLiteral("BBNOBS");
}

void TerminalScreen::typeIntoObservation(QChar character) {
    EDTOBSERVACAOKeyPress(character);
    if (character == QChar(kBackspace) || character.isPrint()) {
        state_.EDTOBSERVACAO.typeAtCursor(character);
    }
}

} // namespace orvalen::terminal
