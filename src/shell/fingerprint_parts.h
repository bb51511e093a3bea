#pragma once

#include "shell/shell_context.h"
#include "terminal/services/devices.h"
#include "terminal/services/fingerprint_capture_screen.h"
#include "terminal/services/fingerprint_devices.h"
#include "terminal/services/pump.h"

#include <memory>

namespace orvalen::terminal {
class TerminalScreen;
}

namespace orvalen::shell {

// The fingerprint side of a terminal screen. With Sacvar2.LEITOR_BIOMETRICO "Sim" it is the
// reader over the fingerprint library and the capture dialog; otherwise no reader at all, and
// the library is never started.
class FingerprintParts {
public:
    FingerprintParts(const ShellContext& context, store::Aviso& aviso, terminal::Pump& pump);

    terminal::FingerprintReader& reader();
    terminal::CaptureScreen* captureScreen() { return capture_.get(); }
    // Before the screen starts: where the reader's events go and what the dialog stands over.
    void attach(terminal::TerminalScreen& screen, QWidget* window);

private:
    terminal::NoFingerprintReader none_;
    std::unique_ptr<terminal::LibfprintReaders> readers_;
    std::unique_ptr<terminal::FingerprintCaptureScreen> capture_;
    QWidget* window_ = nullptr;
};

// The fingerprint library of this program, started when first needed and kept to the end
// (one a process). A virtual reader named in terminal.ini is offered first.
terminal::EngineStart programFingerprintEngine(const store::LocalSettings& local);

} // namespace orvalen::shell
