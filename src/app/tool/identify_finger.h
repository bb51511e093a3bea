#pragma once

#include "biometrics/finger_image.h"
#include "store/aviso.h"
#include "store/connection.h"
#include "store/error_log.h"
#include "terminal/services/fingerprint_capture_screen.h"
#include "terminal/services/fingerprint_devices.h"
#include "terminal/services/pump.h"

#include <QTemporaryDir>
#include <chrono>
#include <memory>

namespace orvalen::terminal {
class TerminalScreen;
}

namespace orvalen::tool {

// The fingerprint reader of a headless identification: the terminal's own reader parts (the
// NBioBSP poll and capture screen, or the DigitalPersona capture) over a virtual reader of its
// own, so that a running terminal's reader is left alone. The capture screen runs without a
// window.
class HeadlessFingerprint {
public:
    // Fails when the club's terminal has no fingerprint reader (Sacvar2.LEITOR_BIOMETRICO) or
    // the fingerprint library cannot start.
    static store::Result<std::unique_ptr<HeadlessFingerprint>>
    start(const store::ClubConnection& club, store::Aviso& aviso, terminal::Pump& pump,
          store::ErrorLog& errorLog);

    terminal::FingerprintReader& reader() { return *readers_; }
    terminal::CaptureScreen* captureScreen() { return capture_.get(); }
    void attach(terminal::TerminalScreen& screen);

    // Lays the finger on the reader and runs the terminal's events until the screen has dealt
    // with it; fails when it has not within the time given.
    store::Status present(const biometrics::FingerImage& finger, std::chrono::milliseconds limit);

private:
    HeadlessFingerprint() = default;

    std::unique_ptr<QTemporaryDir> folder_;
    terminal::EngineStart engine_ = store::Error{};
    std::unique_ptr<terminal::LibfprintReaders> readers_;
    std::unique_ptr<terminal::FingerprintCaptureScreen> capture_;
    bool handled_ = false;
};

} // namespace orvalen::tool
