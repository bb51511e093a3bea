#include "shell/fingerprint_parts.h"

#include "biometrics/capture_dialog.h"
#include "biometrics/virtual_reader.h"
#include "store/settings.h"
#include "terminal/terminal_screen.h"

namespace orvalen::shell {

terminal::EngineStart programFingerprintEngine(const store::LocalSettings& local) {
    static std::optional<terminal::EngineStart> started;
    if (!started) {
        if (!local.virtualFingerReader.isEmpty()) {
            qputenv(biometrics::kVirtualReaderVariable, local.virtualFingerReader.toLocal8Bit());
        }
        started = biometrics::FingerprintEngine::start();
    }
    return *started;
}

FingerprintParts::FingerprintParts(const ShellContext& context, store::Aviso& aviso,
                                   terminal::Pump& pump) {
    const auto sacvar2 = store::SettingsRow::load(context.connection, QStringLiteral("Sacvar2"));
    if (!sacvar2.ok() || !sacvar2->isSim(QStringLiteral("LEITOR_BIOMETRICO"))) {
        return; // an unreadable row is reported when the screen opens its tables
    }
    const terminal::EngineStart engine = programFingerprintEngine(context.local);
    readers_ =
        std::make_unique<terminal::LibfprintReaders>(engine, context.connection, context.log);
    capture_ = std::make_unique<terminal::FingerprintCaptureScreen>(
        context.connection, aviso, context.log, pump, engine,
        [this](biometrics::CaptureScreenLogic& logic) {
            biometrics::showCaptureDialog(logic, window_);
        });
}

terminal::FingerprintReader& FingerprintParts::reader() {
    return readers_ ? static_cast<terminal::FingerprintReader&>(*readers_) : none_;
}

void FingerprintParts::attach(terminal::TerminalScreen& screen, QWidget* window) {
    window_ = window;
    if (readers_) {
        readers_->attach(screen);
        capture_->attach(screen, *readers_);
    }
}

} // namespace orvalen::shell
