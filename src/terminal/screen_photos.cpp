#include "terminal/screen_errors.h"
#include "terminal/terminal_screen.h"

#include <QImage>

namespace orvalen::terminal {

void TerminalScreen::showPhoto(const store::PhotoRow& photo, bool hideWhenMissing) {
    if (!photo.found) {
        if (hideWhenMissing) {
            state_.ImageFotoVisible = false;
        }
        return;
    }
    if (photo.isNull) {
        state_.ImageFotoVisible = false;
        return;
    }
    state_.ImageFotoVisible = true;
    QImage decoded;
    // An undecodable photo leaves an empty picture; nothing is reported.
    state_.ImageFoto = decoded.loadFromData(photo.bytes, "JPEG") ? decoded : QImage();
}

void TerminalScreen::FOTO_ALUNO() {
    if (state_.ImageFotoVisible || students_.isEmpty()) {
        return;
    }
    for (Control* control :
         {&state_.BBNTECLADO, &state_.BBNTEC12, &state_.BBNLEITOR, &state_.LBLTECLADO}) {
        control->visible = false;
    }
    const store::PhotoRow photo = need(source_.people().studentPhoto(unit_.currentMatricula));
    studentPhoto_ = photo.found ? photo.bytes : QByteArray();
    showPhoto(photo, false);
    services_.pump.processEvents();
}

void TerminalScreen::MOSTRA_FOTO() {
    const store::PhotoRow photo = need(source_.people().studentPhoto(students_.currentMatricula()));
    studentPhoto_ = photo.found ? photo.bytes : QByteArray();
    showPhoto(photo, true);
}

void TerminalScreen::FOTO_FUNCIONARIO() {
    for (Control* control :
         {&state_.BBNTECLADO, &state_.BBNTEC12, &state_.BBNLEITOR, &state_.LBLTECLADO}) {
        control->visible = false;
    }
    services_.pump.processEvents();
    const store::PhotoRow photo = need(lookups_.employeePhoto(unit_.currentMatricula));
    showPhoto(photo, false);
}

} // namespace orvalen::terminal
