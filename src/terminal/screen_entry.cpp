#include "terminal/entry_classification.h"
#include "terminal/entry_keys.h"
#include "terminal/screen_errors.h"
#include "terminal/terminal_screen.h"

#include <Qt>

namespace orvalen::terminal {

namespace {

bool isEditKey(QChar key) {
    return key == QChar(kBackspace) || key == QChar(kEnter) || key == QLatin1Char(' ');
}

} // namespace

void TerminalScreen::keyPressed(int key, QChar character, bool shiftOrCtrl) {
    const int code = key;
    if (state_.keyPreview) {
        FormKeyDown(key, shiftOrCtrl);
        if (code != 0 && key == 0) {
            return;
        }
        if (!character.isNull() && state_.keyPreview) {
            FormKeyPress(character);
            if (character.isNull()) {
                return;
            }
        }
    }
    if (state_.focus == QLatin1String("EDTMATRICULA")) {
        EDTMATRICULAKeyDown(key);
        if (key == kDisabledKey || (code != 0 && key == 0) || character.isNull()) {
            return;
        }
        typeIntoEntry(character);
    } else if (state_.focus == QLatin1String("DBGALUNOS")) {
        DBGALUNOSKeyDown(key, shiftOrCtrl);
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            moveStudentCursor(students_.position() + (key == Qt::Key_Up ? -1 : 1));
        }
        if (!character.isNull() && !(code != 0 && key == 0)) {
            DBGALUNOSKeyPress(character);
        }
    } else if (state_.focus == QLatin1String("EDTOBSERVACAO") && !character.isNull()) {
        typeIntoObservation(character);
    }
}

void TerminalScreen::typeIntoEntry(QChar character) {
    EntryField& field = state_.EDTMATRICULA;
    if (!field.enabled) {
        return;
    }
    EDTMATRICULAKeyPress(character);
    if (character.isNull() || character == QChar(kEnter)) {
        return;
    }
    if (field.typeAtCursor(character.toUpper())) {
        EDTMATRICULAChange();
    }
}

void TerminalScreen::setEntryText(const QString& text) {
    state_.EDTMATRICULA.text = text;
    state_.EDTMATRICULA.cursor = static_cast<int>(text.size());
}

bool TerminalScreen::filterKey(QChar& key, bool numberMode) {
    if (numberMode) {
        if (!(isEditKey(key) || isEntryDigit(key))) {
            key = QChar();
            PSTR_DIA.clear();
        }
        if (sacvar_.isNao(QStringLiteral("MATRICULA_ACESSO"))) {
            state_.EDTMATRICULA.passwordChar = QLatin1Char('*');
        }
    } else {
        if (!(isEditKey(key) || isEntryLetter(key))) {
            key = QChar();
        }
        state_.EDTMATRICULA.passwordChar = QChar();
    }
    return !key.isNull();
}

void TerminalScreen::EDTMATRICULAKeyPress(QChar& key) {
    PSTR_DIA.clear();
    if (key == QChar(kEscape)) {
        key = QChar();
        guarded([&] { LIMPA_TELA(); });
        return;
    }
    // The Tec12 gate: only what the terminal itself feeds reaches the entry.
    if (state_.LBLTECLADO.caption == QLatin1String("Tec12") && !MPAD_KEYPRESS &&
        !sacvar_.is(QStringLiteral("PINPAD"), QStringLiteral("NADA"))) {
        key = QChar();
        return;
    }
    if (!filterKey(key, numberModeActive()) || key != QChar(kEnter)) {
        return;
    }
    key = QChar();
    if (state_.EDTMATRICULA.text.isEmpty()) {
        return;
    }
    guarded([&] {
        prepareEnter();
        dispatchEntry();
    });
}

void TerminalScreen::prepareEnter() {
    unit_.photoFollow = false;
    captureRequest = false;
    if (!sacvar_.is(QStringLiteral("PINPAD"), QStringLiteral("NADA"))) {
        services_.devices.readerLine.setBreak(true);
    }
    if (!numberModeActive()) {
        resolveName();
    }
    if (unit_.biometricSwitch == QLatin1String("Sim")) {
        if (sacvar2_.is(QStringLiteral("Tipo_Leitor"), QStringLiteral("1"))) {
            services_.devices.fingerprint.closeDevice();
            services_.devices.fingerprint.stopPoll();
        }
        unit_.photoFollow = true;
    }
}

void TerminalScreen::resolveName() {
    const QString text = state_.EDTMATRICULA.text;
    if (text == unit_.sharedMatricula || unit_.sharedMatricula.startsWith(QLatin1String("091")) ||
        text == QLatin1String("9999999999")) {
        return;
    }
    setEntryText(students_.currentMatricula());
}

void TerminalScreen::refuseEntry(const QString& outcome) {
    state_.EDTMATRICULA.enabled = false;
    MOSTRA_ACESSO(outcome, colours::clBlack, QString(), 36);
    setEntryText(QString());
    state_.EDTOBSERVACAO.text.clear();
    LIMPA_TELA();
}

void TerminalScreen::dispatchEntry() {
    if (!businessDateProblem_.isEmpty()) {
        // No row could carry its date: nobody is let in, and the refusal is only here.
        services_.errorLog.record(
            QStringLiteral("%1 refused: %2").arg(state_.EDTMATRICULA.text, businessDateProblem_));
        refuseEntry(QLatin1String(store::kOpeningFailureText));
        return;
    }
    const BirthDaySplit split = cutBirthDay(state_.EDTMATRICULA.text,
                                            sacvar_.isSim(QStringLiteral("ACESSO_MATRICULA_NASC")));
    if (split.refused) {
        refuseEntry();
        return;
    }
    PSTR_DIA = split.day;
    setEntryText(split.rest);

    const EntryClass entry = classifyEntry(split.rest, numberModeActive());
    state_.EDTMATRICULA.enabled = false;
    switch (entry.kind) {
    case EntryKind::Refused:
        refuseEntry();
        return;
    case EntryKind::Visitor:
        VISITANTE();
        break;
    case EntryKind::Employee:
        unit_.currentMatricula = entry.number;
        FUNCIONARIO();
        break;
    case EntryKind::Student:
        unit_.currentMatricula = entry.number;
        unit_.sharedMatricula = unit_.currentMatricula;
        ALUNO();
        break;
    }
    // Every identification ends with the screen ready for the next person.
    if (!state_.EDTMATRICULA.enabled && !state_.closeRequested) {
        LIMPA_TELA();
    }
    state_.BBNTECLADO.visible = true;
    state_.BBNTEC12.visible = true;
    state_.BBNLEITOR.visible = true;
    state_.LBLTECLADO.visible = true;
    services_.pump.processEvents();
}

void TerminalScreen::EDTMATRICULAKeyDown(int& key) {
    if (!state_.EDTMATRICULA.enabled) {
        key = kDisabledKey;
        return;
    }
    if (key != Qt::Key_F2 || !numberModeActive() ||
        !sacvar_.isNao(QStringLiteral("ACESSO_F2_BLOQUEIA"))) {
        return;
    }
    if (state_.LBLTECLADO.caption == QLatin1String("Teclado")) {
        feedVisitorCode(QStringLiteral("9999999999"), true);
    } else {
        setEntryText(QStringLiteral("999999"));
        QChar enter = chave;
        EDTMATRICULAKeyPress(enter);
    }
}

void TerminalScreen::feedVisitorCode(const QString& code, bool setPadFlag) {
    const bool pinPad = !sacvar_.is(QStringLiteral("PINPAD"), QStringLiteral("NADA"));
    if (setPadFlag) {
        MPAD_KEYPRESS = true;
    }
    setEntryText(code);
    if (pinPad) {
        services_.devices.readerLine.setBreak(true);
    }
    QChar enter = chave;
    EDTMATRICULAKeyPress(enter);
    if (pinPad) {
        services_.devices.readerLine.setBreak(false);
    }
    if (setPadFlag) {
        MPAD_KEYPRESS = false;
    }
}

void TerminalScreen::FormKeyDown(int& key, bool shiftOrCtrl) {
    guarded([&] { refreshBusinessDate(); });
    if (key != Qt::Key_F2 || shiftOrCtrl || !sacvar_.isNao(QStringLiteral("ACESSO_F2_BLOQUEIA"))) {
        return;
    }
    state_.keyPreview = false;
    state_.PNLFUNDO.visible = true;
    state_.BBNTECLADO.visible = true;
    state_.BBNTEC12.visible = true;
    state_.BBNLEITOR.visible = true;
    state_.LBLTECLADO.visible = true;
    unit_.biometricMode = 1;
    feedVisitorCode(QStringLiteral("9999999999"), true);
    key = 0;
}

void TerminalScreen::deliver(std::function<void()> event) {
    gate_.submit(std::move(event));
}

void TerminalScreen::externalMessage(int parameter) {
    deliver([this, parameter] { handleExternalMessage(parameter); });
}

void TerminalScreen::handleExternalMessage(int parameter) {
    if (parameter != 0) {
        PBooLiberaCatraca = false;
        int key = Qt::Key_F2;
        FormKeyDown(key, false);
        // With F2 blocked no visit ran and no reset followed: the next visitor logs as usual.
        PBooLiberaCatraca = true;
        return;
    }
    if (unit_.biometricSwitch != QLatin1String("Sim")) {
        return;
    }
    if (sacvar2_.is(QStringLiteral("Tipo_Leitor"), QStringLiteral("1"))) {
        if (unit_.readerOpen) {
            services_.devices.fingerprint.closeDevice();
        } else {
            services_.devices.fingerprint.openDevice();
        }
        unit_.readerOpen = !unit_.readerOpen;
    } else {
        if (unit_.captureRunning) {
            services_.devices.fingerprint.stopCapture();
        } else {
            services_.devices.fingerprint.startCapture();
        }
        unit_.captureRunning = !unit_.captureRunning;
    }
}

void TerminalScreen::guarded(const std::function<void()>& step) {
    if (running_) {
        step(); // an outer handler catches
        return;
    }
    const InputGate::Hold hold(gate_);
    running_ = true;
    try {
        step();
        running_ = false;
    } catch (const std::exception& error) {
        running_ = false;
        if (dynamic_cast<const DatabaseError*>(&error) != nullptr &&
            decidedFromCopy(step, QString::fromStdString(error.what()))) {
            return;
        }
        services_.errorLog.record(QString::fromStdString(error.what()));
        try {
            LIMPA_TELA();
        } catch (const std::exception& again) {
            services_.errorLog.record(QString::fromStdString(again.what()));
            state_.EDTMATRICULA.enabled = true;
        }
    }
}

bool TerminalScreen::decidedFromCopy(const std::function<void()>& step, const QString& why) {
    if (services_.connectionSwitch == nullptr || !services_.connectionSwitch->switchToCopy(why)) {
        return false;
    }
    running_ = true;
    try {
        students_.requery(); // the list read the club's database
        step();
        running_ = false;
        return true;
    } catch (const std::exception& again) {
        running_ = false;
        services_.errorLog.record(QString::fromStdString(again.what()));
        return false;
    }
}

} // namespace orvalen::terminal
