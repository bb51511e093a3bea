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

void TerminalScreen::MOSTRA_MSGBIOMATRIA(const QString& TEXTO_ACESSO, const QColor& COR,
                                         int PANEL1_FONTE) {
    static const QStringList outcomes{
        QStringLiteral("Sob Consulta !!!"),        QStringLiteral("Sem acesso !!!"),
        QStringLiteral("Avaliação Bloqueada !!!"), QStringLiteral("Fora de Hora !!!"),
        QStringLiteral("Fora Validade !!!"),       QStringLiteral("Acesso Livre")};
    state_.PNLFUNDO.visible = true;
    hideEntryForOutcome();
    state_.LBLINFORMACOES.visible = false;
    state_.PNLINFORMACOES.visible = false;
    const bool granted = TEXTO_ACESSO == QLatin1String("Acesso Livre");
    if (outcomes.contains(TEXTO_ACESSO)) {
        showInformation(QString(), colours::clSilver, state_.PNLINFORMACOES.fontSize);
        if (granted) {
            state_.Image5Visible = false;
            state_.Image4Visible = true;
            services_.pump.processEvents();
        }
        showStatus(TEXTO_ACESSO, granted ? colours::clGreen : colours::clRed,
                   state_.PNLACESSO.fontColour);
    } else {
        if (TEXTO_ACESSO == QLatin1String("Visitante")) {
            state_.Image5Visible = false;
            state_.Image4Visible = true;
            showStatus(QStringLiteral("Acesso Livre"), colours::clGreen,
                       state_.PNLACESSO.fontColour);
            services_.pump.processEvents();
        } else {
            state_.LBLINFORMACOES.visible = true;
            state_.PNLINFORMACOES.visible = true;
        }
        showInformation(TEXTO_ACESSO, COR, PANEL1_FONTE);
    }
    wait(kFingerprintMessageWait);
    state_.LBLINFORMACOES.visible = false;
    state_.PNLINFORMACOES.visible = false;
    state_.PNLINFORMACOES.fontColour = colours::clWhite;
    services_.pump.processEvents();
}

// Shows the fingerprint message for two seconds and resets for the next person.
bool TerminalScreen::refuseByFingerprint() {
    MOSTRA_MSGBIOMATRIA(unit_.biometricMessage, colours::clBlack, 36);
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
