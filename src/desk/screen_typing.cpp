#include "desk/screen_typing.h"

namespace orvalen::desk {

bool typeAtKeyboard(terminal::TerminalScreen& screen, const QString& text, bool nameMode) {
    screen.keyPressed(0, text.front());
    if (!screen.state().EDTMATRICULA.visible || screen.state().keyPreview) {
        return false;
    }
    if (nameMode != !screen.numberModeActive()) {
        if (nameMode) {
            screen.PNLNOMEClick();
        } else {
            screen.PNLMATRICULAClick();
        }
    }
    screen.state().EDTMATRICULA.text.clear();
    screen.state().EDTMATRICULA.cursor = 0;
    for (const QChar character : text) {
        screen.keyPressed(0, character);
    }
    return true;
}

void pressEnter(terminal::TerminalScreen& screen) {
    screen.keyPressed(0, QChar(terminal::kEnter));
}

} // namespace orvalen::desk
