#include "store/table_opening.h"
#include "terminal/entry_keys.h"
#include "terminal/screen_errors.h"
#include "terminal/terminal_screen.h"

namespace orvalen::terminal {

void TerminalScreen::setDefaultMode() {
    if (sacvar_.isSim(QStringLiteral("PROCURAMATRICULANOME"))) {
        state_.PNLMATRICULA.colour = colours::clGreen;
        state_.PNLNOME.colour = colours::clRed;
        PNLMATRICULAClick();
    } else {
        state_.PNLNOME.colour = colours::clGreen;
        state_.PNLMATRICULA.colour = colours::clRed;
        PNLNOMEClick();
    }
}

void TerminalScreen::refreshBusinessDate() {
    if (fixedBusinessDate_) {
        setBusinessDate({*fixedBusinessDate_, QString()});
        return;
    }
    setBusinessDate(need(store::readBusinessDate(database_)));
}

void TerminalScreen::setBusinessDate(const store::BusinessDate& date) {
    const store::BusinessDate used =
        fixedBusinessDate_ ? store::BusinessDate{*fixedBusinessDate_, QString()} : date;
    businessDate_ = used.day;
    businessDateProblem_ = used.problem;
    if (!used.known()) {
        recordDates_.logOnce(used.problem +
                             QStringLiteral(": every identification is refused until a cash "
                                            "period is open with its date"));
    }
}

void TerminalScreen::takeOpenedDates(const store::OpeningResult& opened) {
    setBusinessDate(opened.businessDate);
    for (const QString& row : opened.acessoDiaUndated) {
        recordDates_.logOnce(QStringLiteral("AcessoDia row left by the day purge, its DATA is "
                                            "no date: ") +
                             row);
    }
}

void TerminalScreen::BBNTECLADOClick() {
    MPAD_KEYPRESS = false;
    if (turnstileKindHasEntry()) {
        if (sacvar_.is(QStringLiteral("PINPAD"), QStringLiteral("NADA"))) {
            services_.aviso.AVISO(QStringLiteral("!"),
                                  QStringLiteral("Teclado do compudador Configurado."));
            return;
        }
        services_.devices.readerLine.setBreak(true);
        state_.LBLTECLADO.caption = QStringLiteral("Teclado");
    }
    state_.PNLMATRICULA.visible = true;
    state_.PNLNOME.visible = true;
    setDefaultMode();
    state_.focus = QStringLiteral("EDTMATRICULA");
}

void TerminalScreen::modeButton(const QString& mode, const QString& other, const QString& message) {
    MPAD_KEYPRESS = true;
    if (turnstileKindHasEntry()) {
        const QString label = state_.LBLTECLADO.caption;
        if (sacvar_.is(QStringLiteral("PINPAD"), QStringLiteral("NADA")) ||
            (label != QLatin1String("Teclado") && label != other)) {
            services_.aviso.AVISO(QStringLiteral("!"), message);
            return;
        }
        state_.LBLTECLADO.caption = mode;
        state_.PNLMATRICULA.colour = colours::clGreen;
        if (mode == QLatin1String("Tec12")) {
            services_.devices.readerLine.setBreak(false);
        }
    }
    state_.PNLNOME.visible = false;
    if (numberModeActive()) {
        PNLMATRICULAClick();
    } else {
        PNLNOMEClick();
    }
    state_.focus = QStringLiteral("EDTMATRICULA");
}

void TerminalScreen::BBNLEITORClick() {
    modeButton(QStringLiteral("Leitor"), QStringLiteral("Tec12"),
               QStringLiteral("Leitor Configurado."));
}

void TerminalScreen::BBNTEC12Click() {
    modeButton(QStringLiteral("Tec12"), QStringLiteral("Leitor"),
               QStringLiteral("Tec12 Configurado."));
}

void TerminalScreen::showEntryPanel() {
    state_.keyPreview = false;
    state_.PNLFUNDO.visible = true;
    for (Control* control :
         {&state_.BBNTECLADO, &state_.BBNTEC12, &state_.BBNLEITOR, &state_.LBLTECLADO}) {
        control->visible = true;
    }
    state_.EDTMATRICULA.maxLength = 10;
    setEntryText(QString());
}

void TerminalScreen::disableOperatorButtons() {
    for (Control* button : {&state_.BBNVERIFICA, &state_.BBNCAPTURABIOMETRIA, &state_.BBNTECLADO1,
                            &state_.BBNOBS, &state_.BBNRETORNA}) {
        button->enabled = false;
    }
}

void TerminalScreen::enterOperatorMode(const QString& captionMode, bool& modeFlag) {
    refreshBusinessDate();
    state_.caption = QStringLiteral("Controle de Acesso - ") + captionMode;
    unit_.photoFollow = true;
    modeFlag = true;
    disableOperatorButtons();
    students_.requery();
}

void TerminalScreen::BBNTECLADO1Click() {
    guarded([&] {
        enterOperatorMode(QStringLiteral("Teclado"), keyboardTakeover);
        if (sacvar2_.isSim(QStringLiteral("MATRICULADIGITAL"))) {
            unit_.biometricMode = 3;
        }
        MPAD_KEYPRESS = false;
        if (sacvar2_.isSim(QStringLiteral("LEITOR_BIOMETRICO")) &&
            sacvar2_.isNao(QStringLiteral("MATRICULADIGITAL"))) {
            unit_.biometricSwitch = QStringLiteral("Não");
            if (sacvar2_.is(QStringLiteral("Tipo_Leitor"), QStringLiteral("2"))) {
                services_.devices.fingerprint.stopCapture();
            }
        }
        state_.LBLTECLADO.caption = QStringLiteral("Teclado");
        if (turnstileKindHasEntry() &&
            !sacvar_.is(QStringLiteral("PINPAD"), QStringLiteral("NADA"))) {
            services_.devices.readerLine.setBreak(true);
        }
        state_.PNLMATRICULA.visible = true;
        state_.PNLNOME.visible = true;
        showEntryPanel();
        state_.EDTMATRICULA.enabled = true;
        setDefaultMode();
    });
}

void TerminalScreen::BBNCAPTURABIOMETRIAClick() {
    guarded([&] {
        enterOperatorMode(QStringLiteral("Captura Biometria"), captureRequest);
        unit_.biometricMode = 1;
        state_.keyPreview = false;
        state_.PNLFUNDO.visible = true;
        state_.EDTMATRICULA.enabled = true;
        state_.EDTMATRICULA.visible = true;
        state_.DBGALUNOS.visible = true;
        if (sacvar2_.isSim(QStringLiteral("MATRICULADIGITAL"))) {
            BBNTECLADOClick();
        }
        setDefaultMode();
        state_.focus = QStringLiteral("EDTMATRICULA");
    });
}

void TerminalScreen::FormKeyPress(QChar& key) {
    unit_.photoFollow = true;
    const bool pinPad = !sacvar_.is(QStringLiteral("PINPAD"), QStringLiteral("NADA"));
    if (!pinPad && unit_.biometricSwitch == QStringLiteral("Não")) {
        BBNTECLADO1Click();
        const bool numberMode = numberModeActive();
        state_.EDTMATRICULA.maxLength = numberMode ? 10 : 35;
        setEntryText(QString());
        QChar first = key;
        filterKey(first, numberMode);
        key = QChar();
        if (isPrintableEntryKey(first)) {
            setEntryText(first.toUpper());
            EDTMATRICULAChange();
        }
        return;
    }

    state_.PNLMATRICULA.colour = LSTRCOLORMATRICULANOME;
    const bool numberMode = numberModeActive();
    filterKey(key, numberMode);
    if (state_.LBLTECLADO.caption == QLatin1String("Tec12") && !MPAD_KEYPRESS && pinPad) {
        key = QChar();
        services_.aviso.AVISO(
            QStringLiteral("!"), QStringLiteral("Tec12 Configurado."),
            QStringLiteral("Por favor configure teclado do compudador no botão abaixo !"));
        state_.focus = state_.BBNTECLADO1.enabled && state_.BBNTECLADO1.visible
                           ? QStringLiteral("BBNTECLADO1")
                           : QStringLiteral("BBNOBS");
        return;
    }
    if (unit_.biometricSwitch == QLatin1String("Sim") &&
        sacvar2_.isNao(QStringLiteral("MATRICULADIGITAL")) && unit_.biometricMode == 0) {
        state_.keyPreview = false;
        return;
    }
    showEntryPanel();
    const QChar first = isPrintableEntryKey(key) ? key.toUpper() : QChar();
    key = QChar();
    if (numberMode) {
        PNLMATRICULAClick();
    } else {
        PNLNOMEClick();
    }
    if (!first.isNull()) {
        setEntryText(QString(first));
        EDTMATRICULAChange();
    }
}

void TerminalScreen::BBNRETORNAClick() {
    if (!sacvar_.is(QStringLiteral("PINPAD"), QStringLiteral("NADA"))) {
        try {
            services_.devices.readerLine.close();
            services_.devices.readerLine.setBreak(true);
            services_.devices.readerLine.setRxCharHandler({});
            if (sacvar2_.isSim(QStringLiteral("Tec12USB"))) {
                Ativa_Destasiva_Tec12USB(1);
            }
        } catch (const std::exception&) {
            // Closing the reader line never keeps the operator from leaving.
        }
    }
    const TurnstileSettings turnstile = turnstileSettings();
    if (turnstile.roleta != QLatin1String("NADA") && turnstile.tipoRoleta == QLatin1String("R") &&
        turnstile.usbLpt == QStringLiteral("Não") && !turnstile.enderecoLpt.isEmpty() &&
        services_.turnstileOutputs != nullptr) {
        try {
            services_.turnstileOutputs->clearParallelPort(turnstile.enderecoLpt);
        } catch (const std::exception& error) {
            // A port that cannot be written never keeps the operator from leaving.
            services_.errorLog.record(QString::fromStdString(error.what()));
        }
    }
    if (sacvar2_.is(QStringLiteral("Tipo_Leitor"), QStringLiteral("2")) &&
        sacvar2_.isSim(QStringLiteral("LEITOR_BIOMETRICO"))) {
        services_.devices.fingerprint.stopCapture();
    }
    FormClose();
}

} // namespace orvalen::terminal
