#include "store/table_opening.h"
#include "terminal/entry_classification.h"
#include "terminal/screen_errors.h"
#include "terminal/terminal_screen.h"

namespace orvalen::terminal {

namespace {
const QString kNotFound = QStringLiteral("Digital não encontrada!");
const QString kDriverMissing = QStringLiteral("Falha procurando drive leitor biométrico!");
const QString kFingerTable = QStringLiteral("Digital_Persona");
constexpr int kVerificationPurpose = 1;
} // namespace

bool TerminalScreen::prepareFingerprintReader() {
    state_.LBLTECLADO.caption = QStringLiteral("Biometria");
    const bool nbio = sacvar2_.is(QStringLiteral("Tipo_Leitor"), QStringLiteral("1"));
    const ReaderPreparation prepared = services_.devices.fingerprint.prepare(
        nbio ? ReaderKind::NBioBSP : ReaderKind::DigitalPersona);
    switch (prepared.outcome) {
    case ReaderPreparation::Outcome::Ready:
        break;
    case ReaderPreparation::Outcome::NoReader:
        // A loose cable must not stop the door: the screen works as one without a fingerprint
        // reader, so keyboard, card and keypad go on serving.
        unit_.biometricSwitch = QStringLiteral("Não");
        services_.errorLog.record(
            QStringLiteral("the fingerprint reader was not found; the terminal serves without "
                           "fingerprints until its screen is opened again: %1")
                .arg(prepared.why));
        return true;
    case ReaderPreparation::Outcome::NoLibrary:
        // The screen closes; the box says why, so that the operator is not left guessing.
        unit_.biometricMessage = kDriverMissing;
        services_.errorLog.record(prepared.why);
        services_.aviso.AVISO(QStringLiteral("!"), kDriverMissing, prepared.why);
        return false;
    case ReaderPreparation::Outcome::DatabaseError:
        services_.errorLog.record(kFingerTable + QStringLiteral(": ") + prepared.why);
        services_.aviso.AVISO(QStringLiteral("!"), QLatin1String(store::kOpeningFailureText),
                              kFingerTable);
        return false;
    }
    if (nbio) {
        state_.BBNCAPTURABIOMETRIA.visible = true;
        services_.devices.fingerprint.startPoll();
    }
    return true;
}

void TerminalScreen::TimerSFingerTimer() {
    if (!sacvar2_.isNao(QStringLiteral("MATRICULADIGITAL")) &&
        !sacvar2_.isSim(QStringLiteral("Tec12ouBiometria"))) {
        return;
    }
    FingerprintReader& reader = services_.devices.fingerprint;
    if (!reader.CheckFinger()) {
        return;
    }
    reader.stopPoll();
    services_.pump.processEvents();
    BBNVERIFICAClick();
    services_.pump.processEvents();
    reader.startPoll();
}

void TerminalScreen::OnComplete(const QString& ReaderSerNum,
                                const biometrics::dpfp::DPFPSample& pSample) {
    Q_UNUSED(ReaderSerNum);
    guarded([&] {
        state_.PNLPERSONA.visible = true;
        biometrics::dpfp::DPFPFeatureExtraction extraction;
        const store::Status made = extraction.CreateFeatureSet(pSample, kVerificationPurpose);
        if (!made.ok()) {
            services_.aviso.AVISO(QStringLiteral("!"), made.error().message);
            return;
        }
        state_.ImagePersona = biometrics::dpfp::DPFPSampleConversion().ConvertToPicture(pSample);
        const auto found = services_.devices.fingerprint.findStoredFinger(extraction.FeatureSet());
        if (!found.ok()) {
            services_.aviso.AVISO(QStringLiteral("!"), found.error().message);
            return;
        }
        if (found->has_value()) {
            services_.devices.fingerprint.stopCapture();
            const QString matricula = found.value()->left(10);
            unit_.currentMatricula = matricula;
            setEntryText(matricula);
            unit_.sharedMatricula = matricula;
            BBNVERIFICAClick();
            return;
        }
        unit_.biometricMessage = kNotFound;
        unit_.currentMatricula.clear();
        setEntryText(QString());
        unit_.sharedMatricula.clear();
        BBNVERIFICAClick();
        state_.PNLPERSONA.visible = false;
    });
}

void TerminalScreen::BBNVERIFICAClick() {
    guarded([&] {
        refreshBusinessDate();
        if (keyboardTakeover || captureRequest) {
            return;
        }
        state_.caption = QStringLiteral("Controle de Acesso - Verifica digital");
        disableOperatorButtons();
        holdEntryForFinger();
        if (sacvar2_.is(QStringLiteral("Tipo_Leitor"), QStringLiteral("1"))) {
            showCaptureScreen();
        } else {
            state_.PNLPERSONA.visible = false;
            MPAD_KEYPRESS = true;
        }
        verifyByFinger();
    });
}

// Until the finger is decided nothing else may start an entry: the reader line and the
// keypad are held, the NBioBSP reader is handed to the capture screen, and with a number
// typed first that number is made ready for the comparison.
void TerminalScreen::holdEntryForFinger() {
    switchKeypadOffForEntry();
    if (unit_.biometricSwitch == QLatin1String("Sim") &&
        sacvar2_.is(QStringLiteral("Tipo_Leitor"), QStringLiteral("1"))) {
        services_.devices.fingerprint.closeDevice();
        services_.devices.fingerprint.stopPoll();
    }
    state_.PNLMATRICULA.visible = false;
    state_.PNLNOME.visible = false;
    state_.EDTMATRICULA.visible = false;
    state_.DBGALUNOS.visible = false;
    unit_.biometricMode = 2;
    state_.keyPreview = state_.LBLTECLADO.caption == QLatin1String("Teclado");

    if (!sacvar2_.isSim(QStringLiteral("MATRICULADIGITAL")) ||
        !sacvar2_.isNao(QStringLiteral("Tec12ouBiometria"))) {
        services_.devices.readerLine.setBreak(true);
        return;
    }
    if (state_.LBLTECLADO.caption == QLatin1String("Leitor") &&
        !sacvar_.is(QStringLiteral("PINPAD"), QStringLiteral("NADA"))) {
        unit_.currentMatricula = state_.EDTMATRICULA.text.left(10);
        if (unit_.currentMatricula.startsWith(QLatin1String("91"))) {
            FOTO_FUNCIONARIO();
        } else {
            FOTO_ALUNO();
        }
    }
    const std::optional<qlonglong> number = readWholeNumber(unit_.currentMatricula);
    unit_.currentMatricula = number ? tenDigits(*number) : state_.EDTMATRICULA.text;
    setEntryText(unit_.currentMatricula);
}

void TerminalScreen::verifyByFinger() {
    if (!unit_.biometricMessage.isEmpty()) {
        MOSTRA_MSGBIOMATRIA(unit_.biometricMessage, colours::clBlack, 30);
        fingerprintReset();
        return;
    }
    const QString found = unit_.sharedMatricula;
    if (!unit_.biometricFailure && !found.isEmpty()) {
        if (sacvar2_.isSim(QStringLiteral("Tec12ouBiometria"))) {
            setEntryText(found);
            state_.LBLTECLADO.caption = QStringLiteral("Biometria");
        }
        const bool numberFirst = sacvar2_.isSim(QStringLiteral("MATRICULADIGITAL"));
        const bool employee = found.startsWith(QLatin1String("091"));
        if (numberFirst && !employee) {
            if (state_.EDTMATRICULA.text != found) {
                services_.aviso.AVISO(QStringLiteral("!"), kNotFound, QStringLiteral("Matrícula"));
            } else {
                submitEntry();
            }
        } else if (employee) {
            // The finger names the employee by his seven last digits; the number on file
            // starts with "910" or, for the older numbering, with "000".
            const QString digits = found.mid(3, 7);
            setEntryText(QStringLiteral("910") + digits);
            if (!need(lookups_.employee(state_.EDTMATRICULA.text)).has_value() &&
                need(lookups_.employee(QStringLiteral("000") + digits)).has_value()) {
                const std::optional<qlonglong> value = readWholeNumber(digits);
                if (value) {
                    setEntryText(QStringLiteral("00") + QString::number(*value));
                }
            }
            submitEntry();
        } else if (state_.EDTMATRICULA.text.isEmpty()) {
            setEntryText(found);
            submitEntry();
        } else {
            const std::optional<qlonglong> typed = readWholeNumber(state_.EDTMATRICULA.text);
            if (typed) {
                setEntryText(tenDigits(*typed));
            }
            if (state_.EDTMATRICULA.text != found) {
                MOSTRA_MSGBIOMATRIA(kNotFound, colours::clBlack, 36);
                fingerprintReset();
                return;
            }
            submitEntry();
        }
    }
    unit_.sharedMatricula.clear();
    unit_.biometricMode = 0;
    for (Control* control :
         {&state_.BBNTECLADO, &state_.BBNTEC12, &state_.BBNLEITOR, &state_.LBLTECLADO}) {
        control->visible = true;
    }
    services_.pump.processEvents();
}

void TerminalScreen::submitEntry() {
    state_.EDTMATRICULA.enabled = true;
    services_.pump.processEvents();
    QChar enter(kEnter);
    EDTMATRICULAKeyPress(enter);
}

} // namespace orvalen::terminal
