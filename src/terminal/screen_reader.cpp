#include "terminal/reader_bytes.h"
#include "terminal/terminal_screen.h"

#include <array>

namespace orvalen::terminal {

namespace {

const QString kTec12Problem = QStringLiteral("Problema com Tec12.");
constexpr int kCardFrameWait = 1000; // ms for the whole frame to arrive
constexpr int kCardFrameBytes = 12;  // the most one frame holds
constexpr int kKeypadCommandPause = 100;
constexpr int kKeypadOn = 15;
constexpr int kKeypadOff = 14;
constexpr int kReadBufSize = 16;
constexpr int kEntryDigits = 10;

// The feeding flag is cleared again whatever the hub does.
class FeedingEntry {
public:
    explicit FeedingEntry(bool& flag) : flag_(flag) { flag_ = true; }
    ~FeedingEntry() { flag_ = false; }
    FeedingEntry(const FeedingEntry&) = delete;
    FeedingEntry& operator=(const FeedingEntry&) = delete;

private:
    bool& flag_;
};

} // namespace

bool TerminalScreen::fingerprintOnlyMode() const {
    return unit_.biometricSwitch == QLatin1String("Sim") &&
           sacvar2_.isNao(QStringLiteral("MATRICULADIGITAL"));
}

void TerminalScreen::Comm1RxChar(int Count) {
    // The event may have waited behind someone else's outcome, whose hold threw its bytes
    // away: only what is on the line now counts.
    Q_UNUSED(Count);
    const int waiting = services_.devices.readerLine.bytesWaiting();
    if (waiting <= 0) {
        return;
    }
    guarded([&] {
        if (sacvar2_.is(QStringLiteral("Tipo_Leitor"), QStringLiteral("2")) &&
            sacvar2_.isSim(QStringLiteral("Tec12ouBiometria"))) {
            services_.devices.fingerprint.stopCapture();
        }
        if (sacvar_.isNao(QStringLiteral("ACESSO_MATRICULA_NASC"))) {
            unit_.photoFollow = true;
        }
        const bool noReader = sacvar_.is(QStringLiteral("PINPAD"), QStringLiteral("NADA"));
        if (fingerprintOnlyMode()) {
            if (!noReader && state_.LBLTECLADO.caption == QLatin1String("Tec12")) {
                keypadTrigger();
            }
            return;
        }
        if (noReader) {
            return;
        }
        if (state_.LBLTECLADO.caption == QLatin1String("Tec12")) {
            keypadEntry(waiting);
        }
        if (state_.LBLTECLADO.caption == QLatin1String("Leitor")) {
            cardReaderStep();
        }
    });
}

void TerminalScreen::keypadTrigger() {
    std::array<char, kReadBufSize> buffer{};
    if (services_.devices.readerLine.read(buffer.data(), 1) == -1) {
        services_.aviso.AVISO(QStringLiteral("!"), kTec12Problem);
        services_.pump.processEvents();
        return;
    }
    const KeypadKey key = keypadKey(buffer[0]);
    if (key == KeypadKey::Clear) {
        changeEntryText(QString());
    } else if (key == KeypadKey::Enter) {
        switchKeypadOffForEntry();
        MPAD_KEYPRESS = true;
        BBNVERIFICAClick();
    }
    // Also throws away whatever else the keypad sent.
    services_.devices.readerLine.setBreak(false);
    services_.pump.processEvents();
}

void TerminalScreen::keypadEntry(int count) {
    state_.PNLMATRICULA.colour = colours::clGreen;
    disableOperatorButtons();
    // Every key waiting is taken in turn: the line raises no new event for keys left unread.
    for (int key = 0; key < std::max(count, 1); ++key) {
        std::array<char, kReadBufSize> buffer{};
        if (services_.devices.readerLine.read(buffer.data(), 1) == -1) {
            services_.aviso.AVISO(QStringLiteral("!"), kTec12Problem);
            break;
        }
        if (!keypadKeyInEntry(buffer[0])) {
            return;
        }
        if (keypadKey(buffer[0]) == KeypadKey::Enter) {
            break; // the hub held the line and threw away the rest
        }
    }
    services_.pump.processEvents();
}

bool TerminalScreen::keypadKeyInEntry(char byte) {
    const KeypadKey key = keypadKey(byte);
    if (key == KeypadKey::Clear) {
        changeEntryText(QString());
        return true;
    }
    services_.devices.fingerprint.stopPoll();
    if (key == KeypadKey::Enter) {
        FeedingEntry feeding(MPAD_KEYPRESS);
        if (!state_.EDTMATRICULA.text.isEmpty()) {
            switchKeypadOffForEntry();
            QChar enter = chave;
            EDTMATRICULAKeyPress(enter);
            services_.devices.readerLine.setBreak(false);
        }
        return true;
    }
    if (key == KeypadKey::Other) {
        return false;
    }
    EntryField& field = state_.EDTMATRICULA;
    if (field.text.size() >= kEntryDigits) {
        return true; // the number is full: the digit is dropped
    }
    if (state_.PNLFUNDO.visible) {
        changeEntryText(field.text + QLatin1Char(byte));
        return true;
    }
    changeEntryText(QString(QLatin1Char(byte)));
    state_.keyPreview = false;
    state_.PNLFUNDO.visible = true;
    for (Control* control :
         {&state_.BBNTECLADO, &state_.BBNTEC12, &state_.BBNLEITOR, &state_.LBLTECLADO}) {
        control->visible = true;
    }
    field.maxLength = kEntryDigits;
    return true;
}

void TerminalScreen::cardReaderStep() {
    if (fingerprintOnlyMode()) {
        if (!sacvar_.is(QStringLiteral("PINPAD"), QStringLiteral("NADA"))) {
            try {
                services_.devices.readerLine.setBreak(true);
                services_.devices.readerLine.setRxCharHandler({});
            } catch (const std::exception&) {
                // Switching the reader off is best effort.
            }
        }
        return;
    }
    wait(kCardFrameWait);
    std::array<char, kCardFrameBytes> frame{};
    const int read = services_.devices.readerLine.read(frame.data(), kCardFrameBytes);
    if (read == -1) {
        services_.aviso.AVISO(QStringLiteral("!"), kTec12Problem);
    } else {
        const QString text = cardFrameText(frame.data(), read);
        // A frame with no number in it (its bytes thrown away by a hold, or only a line
        // break) opens no entry that nothing would close.
        if (!text.isEmpty()) {
            state_.PNLFUNDO.visible = true;
            FeedingEntry feeding(MPAD_KEYPRESS);
            changeEntryText(state_.EDTMATRICULA.text + text);
            QChar enter = chave;
            EDTMATRICULAKeyPress(enter);
        }
    }
    services_.pump.processEvents();
}

void TerminalScreen::changeEntryText(const QString& text) {
    setEntryText(text);
    EDTMATRICULAChange();
}

void TerminalScreen::switchKeypadOffForEntry() {
    if (!sacvar2_.isSim(QStringLiteral("Tec12USB"))) {
        return;
    }
    PBooUSBDesativado = true;
    services_.devices.readerLine.close();
    services_.devices.readerLine.setBreak(true);
    Ativa_Destasiva_Tec12USB(1);
}

void TerminalScreen::Ativa_Destasiva_Tec12USB(int Ativa_Destasiva) {
    wait(kKeypadCommandPause);
    const QString pinpad = sacvar_.text(QStringLiteral("PINPAD"));
    if (pinpad.size() < 4 || !pinpad.at(3).isDigit()) {
        throw store::SettingError(
            QStringLiteral("Sacvar.PINPAD is '%1': its 4th character must be the port "
                           "number of the Tec12 USB keypad (COM3 gives 3)")
                .arg(pinpad));
    }
    const int port = pinpad.at(3).digitValue();
    ReaderLine& line = services_.devices.readerLine;
    if (!line.openKeypad(port, sacvar2_.integer(QStringLiteral("VELOCIDADE")),
                         sacvar2_.number(QStringLiteral("DATABIT")))) {
        services_.aviso.AVISO(QStringLiteral("!"), QStringLiteral("Problema na porta USB"));
    }
    if (Ativa_Destasiva == 0) {
        line.sendKeypad(port, kKeypadOn);
        changeEntryText(QString());
        line.setBreak(false);
    } else {
        line.sendKeypad(port, kKeypadOff);
    }
    line.closeKeypad(port);
}

void TerminalScreen::prepareReaderLine() {
    ReaderLine& line = services_.devices.readerLine;
    line.configure(sacvar_.text(QStringLiteral("PINPAD")), store::serialLineParameters(sacvar2_));
    state_.PNLNOME.visible = false;
    if (sacvar_.isSim(QStringLiteral("PADRAOTEC12"))) {
        state_.LBLTECLADO.caption = QStringLiteral("Tec12");
        state_.BBNTEC12.enabled = true;
    } else {
        state_.LBLTECLADO.caption = QStringLiteral("Leitor");
        state_.BBNLEITOR.enabled = true;
    }
    if (sacvar2_.isSim(QStringLiteral("Tec12USB"))) {
        Ativa_Destasiva_Tec12USB(0);
    }
    // Reader characters wait while a person is decided and run afterwards.
    line.setRxCharHandler([this](int count) { deliver([this, count] { Comm1RxChar(count); }); });
    line.open();
}

void TerminalScreen::rearmReaderLine() {
    state_.LBLTECLADO.caption = sacvar_.isSim(QStringLiteral("PADRAOTEC12"))
                                    ? QStringLiteral("Tec12")
                                    : QStringLiteral("Leitor");
    state_.PNLNOME.visible = false;
    ReaderLine& line = services_.devices.readerLine;
    line.setBreak(false);
    if (sacvar2_.isSim(QStringLiteral("Tec12USB")) && PBooUSBDesativado) {
        PBooUSBDesativado = false;
        line.close();
        Ativa_Destasiva_Tec12USB(0);
        line.open();
    }
}

void TerminalScreen::releaseReaderLine() {
    if (sacvar_.is(QStringLiteral("PINPAD"), QStringLiteral("NADA"))) {
        return;
    }
    services_.devices.readerLine.setRxCharHandler({});
    services_.devices.readerLine.close();
}

} // namespace orvalen::terminal
