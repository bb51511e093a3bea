#include "terminal/rules/fingerprint_match.h"
#include "terminal/terminal_screen.h"

namespace orvalen::terminal {

namespace {
const QString kNotFound = QStringLiteral("Digital não encontrada!");
constexpr int kFingerprintMessageWait = 2000;
} // namespace

bool TerminalScreen::showCaptureScreen() {
    if (services_.captureScreen == nullptr) {
        // No capture screen on this terminal: a number that needs a finger cannot pass.
        unit_.biometricMessage = kNotFound;
        return true;
    }
    services_.captureScreen->showModal(unit_);
    services_.pump.processEvents();
    return true;
}

// Shows the fingerprint message for two seconds and resets for the next person.
bool TerminalScreen::refuseByFingerprint() {
    state_.PNLFUNDO.visible = true;
    hideEntryForOutcome();
    showInformation(unit_.biometricMessage, colours::clBlack, 36);
    wait(kFingerprintMessageWait);
    state_.LBLINFORMACOES.visible = false;
    state_.PNLINFORMACOES.visible = false;
    state_.PNLINFORMACOES.fontColour = colours::clWhite;
    services_.pump.processEvents();
    fingerprintReset();
    return false;
}

void TerminalScreen::fingerprintReset() {
    unit_.biometricMode = 0;
    unit_.sharedMatricula.clear();
    pSTRMATRICULAFUNCIONARIO.clear();
    unit_.employeeKindPrefix.clear();
    LIMPA_TELA();
}

bool TerminalScreen::CONFERE_DIGITAL_ALUNO() {
    const rules::FingerprintMatchFacts facts{
        sacvar2_.text(QStringLiteral("Tec12ouBiometria")), unit_.biometricSwitch,
        sacvar2_.text(QStringLiteral("Tipo_Leitor")), unit_.biometricMode};
    if (!rules::fingerprintMatchRuns(facts)) {
        return true;
    }
    const bool byFinger = sacvar2_.isSim(QStringLiteral("MATRICULADIGITAL"));
    bool shown = false;
    if (byFinger) {
        if (unit_.biometricMode == 0) {
            unit_.biometricMode = 2;
        } else {
            unit_.sharedMatricula = unit_.currentMatricula;
        }
        shown = showCaptureScreen();
    } else if (unit_.biometricMode == 1) {
        unit_.sharedMatricula = unit_.currentMatricula;
        shown = showCaptureScreen();
    }
    if (shown && !unit_.biometricMessage.isEmpty()) {
        return refuseByFingerprint();
    }
    if (!unit_.biometricFailure && !unit_.sharedMatricula.isEmpty()) {
        unit_.biometricMode = 3;
        if (byFinger) {
            if (state_.EDTMATRICULA.text != unit_.sharedMatricula) {
                unit_.biometricMessage = kNotFound;
                return refuseByFingerprint();
            }
        } else {
            setEntryText(unit_.sharedMatricula);
        }
    }
    return true;
}

} // namespace orvalen::terminal
