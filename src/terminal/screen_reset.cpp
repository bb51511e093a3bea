#include "terminal/screen_errors.h"
#include "terminal/terminal_screen.h"

#include <optional>

namespace orvalen::terminal {

// The reset between two people. Its cost does not grow with the club: the student list
// forgets what it had read and reads again only what the list shows.
void TerminalScreen::LIMPA_TELA() {
    // A unit choice serves one identification, whatever its outcome. The own unit comes
    // back first, so that a unit database that has gone away cannot hold the terminal.
    // A list that cannot be read (the database has gone away) must not leave the outcome
    // on screen: the reset is finished first and the error raised after it.
    std::optional<DatabaseError> listFailure;
    try {
        if (state_.BBNFILIALTag == 1) {
            FilialMaster();
        }
        students_.requery();
    } catch (const DatabaseError& error) {
        listFailure = error;
    }

    unit_.biometricMessage.clear();
    unit_.captureRunning = true;
    unit_.photoFollow = false;
    keyboardTakeover = false;
    captureRequest = false;
    state_.caption = QStringLiteral("Controle de Acesso");

    for (Control* button : {&state_.BBNVERIFICA, &state_.BBNCAPTURABIOMETRIA, &state_.BBNTECLADO1,
                            &state_.BBNOBS, &state_.BBNRETORNA}) {
        button->enabled = true;
    }

    state_.Image4Visible = false;
    state_.Image5Visible = true;
    state_.EDTMATRICULA.enabled = true;
    state_.EDTMATRICULA.visible = true;
    state_.DBGALUNOS.visible = true;
    state_.LBLINFORMACOES.visible = false;
    state_.PNLINFORMACOES.visible = false;
    state_.PNLFUNDO.visible = false;

    unit_.biometricFailure = false;
    state_.PNLINFORMACOES.caption.clear();
    state_.LBLNOMEALUNO.caption.clear();
    setEntryText(QString());
    state_.keyPreview = true;

    for (Control* detail :
         {&state_.DBEDITMATRICULA, &state_.LBLMATRICULA, &state_.LBLNOMEALUNO,
          &state_.DBEDITDIA_VENCIMENTO, &state_.LBLDATAVENCIMENTO, &state_.LBLVENCIMENTO,
          &state_.LBLMENSALIDADEPLANOS, &state_.LBLATIVIDADES}) {
        detail->visible = false;
    }
    for (Control& activity : state_.LBLATIVIDADESn) {
        activity.caption.clear();
    }
    state_.LBLMODALIDADE.caption.clear();

    state_.PNLACESSO.caption.clear();
    state_.PNLACESSO.colour = colours::clSilver;
    state_.PNLACESSO.fontColour = colours::clWhite;
    state_.PNLINFORMACOES.colour = colours::clSilver;

    unit_.biometricSwitch = sacvar2_.text(QStringLiteral("LEITOR_BIOMETRICO"));
    pSTRMATRICULAFUNCIONARIO.clear();
    PBooPontoAcessoFunc = false;
    PBooLiberaCatraca = true;

    state_.focus = QStringLiteral("BBNOBS");
    services_.pump.processEvents();

    if (unit_.biometricSwitch == QLatin1String("Sim")) {
        if (sacvar2_.is(QStringLiteral("Tipo_Leitor"), QStringLiteral("1"))) {
            if (unit_.readerOpen) {
                services_.devices.fingerprint.openDevice();
            }
            services_.devices.fingerprint.startPoll();
        } else {
            services_.devices.fingerprint.startCapture();
        }
    }

    if (sacvar_.is(QStringLiteral("PINPAD"), QStringLiteral("NADA"))) {
        state_.PNLMATRICULA.visible = true;
        state_.PNLNOME.visible = true;
        state_.LBLTECLADO.caption = unit_.biometricSwitch == QStringLiteral("Não")
                                        ? QStringLiteral("Teclado")
                                        : QStringLiteral("Biometria");
    } else {
        rearmReaderLine();
    }

    if (sacvar2_.isSim(QStringLiteral("MATRICULADIGITAL"))) {
        unit_.biometricMode = 0;
    }
    state_.DBGFILIAL.visible = false;
    searchModeColours();
    if (listFailure) {
        throw *listFailure;
    }
}

} // namespace orvalen::terminal
