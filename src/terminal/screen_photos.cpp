#include "terminal/screen_errors.h"
#include "terminal/terminal_screen.h"

#include <QImage>

namespace orvalen::terminal {

// A person without a photo gets the frame's placeholder: the picture in the frame may be the
// last person's.
bool TerminalScreen::showPhoto(const store::PhotoRow& photo) {
    if (!photo.found || photo.isNull) {
        state_.ImageFotoVisible = false;
        return true;
    }
    state_.ImageFotoVisible = true;
    QImage decoded;
    const bool ok = decoded.loadFromData(photo.bytes, "JPEG");
    state_.ImageFoto = ok ? decoded : QImage();
    return ok;
}

// An undecodable photo leaves an empty picture and the person is decided as usual; the
// exception log tells support which row to mend, and nothing is shown.
void TerminalScreen::photoDoesNotDecode(const QString& table, const QString& matricula) {
    services_.errorLog.record(
        QStringLiteral("%1: the photo of %2 is not a JPEG picture").arg(table, matricula));
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
    if (!showPhoto(photo)) {
        photoDoesNotDecode(QStringLiteral("FotosAlunos"), unit_.currentMatricula);
    }
    services_.pump.processEvents();
}

void TerminalScreen::MOSTRA_FOTO() {
    const store::PhotoRow photo = need(source_.people().studentPhoto(students_.currentMatricula()));
    studentPhoto_ = photo.found ? photo.bytes : QByteArray();
    showPhoto(photo);
}

void TerminalScreen::FOTO_FUNCIONARIO() {
    for (Control* control :
         {&state_.BBNTECLADO, &state_.BBNTEC12, &state_.BBNLEITOR, &state_.LBLTECLADO}) {
        control->visible = false;
    }
    services_.pump.processEvents();
    const store::PhotoRow photo = need(lookups_.employeePhoto(unit_.currentMatricula));
    if (!showPhoto(photo)) {
        photoDoesNotDecode(QStringLiteral("FotosFuncionarios"), unit_.currentMatricula);
    }
}

} // namespace orvalen::terminal
