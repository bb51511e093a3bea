#include "terminal/services/fingerprint_capture_screen.h"

#include "terminal/terminal_screen.h"

namespace orvalen::terminal {

FingerprintCaptureScreen::FingerprintCaptureScreen(const store::ClubConnection& club,
                                                   store::Aviso& aviso, store::ErrorLog& errorLog,
                                                   Pump& pump, EngineStart engine,
                                                   Presenter presenter)
    : club_(club), aviso_(aviso), errorLog_(errorLog), pump_(pump), engine_(std::move(engine)),
      presenter_(std::move(presenter)), keptIndex_(engine_) {}

void FingerprintCaptureScreen::showModal(TerminalUnit& unit) {
    biometrics::BiometricShare share{unit.biometricMode, unit.sharedMatricula,
                                     unit.employeeKindPrefix, unit.biometricMessage,
                                     unit.biometricFailure};
    const bool enrolment = share.biometricMode == 1;
    const StudentSource* source = screen_ != nullptr ? &screen_->studentSource() : nullptr;
    biometrics::CaptureScreenLogic logic(
        biometrics::CaptureScreenServices{
            club_, source != nullptr ? source->connection() : club_,
            source != nullptr && source->onBranch(), aviso_, [this] { pump_.processEvents(); },
            engine_,
            screen_ != nullptr ? screen_->sacvar2().text(QStringLiteral("Tec12ouBiometria"))
                               : QString(),
            captureTimeout_, &keptIndex_, &errorLog_},
        share);
    presenter_(logic);
    unit.biometricMode = share.biometricMode;
    unit.sharedMatricula = share.sharedMatricula;
    unit.biometricMessage = share.biometricMessage;
    unit.biometricFailure = share.biometricFailure;
    if (enrolment && share.biometricMessage.isEmpty() && !share.biometricFailure &&
        reader_ != nullptr) {
        reader_->templatesChanged();
    }
}

} // namespace orvalen::terminal
