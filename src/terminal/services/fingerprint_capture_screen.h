#pragma once

#include "biometrics/capture_screen_logic.h"
#include "store/aviso.h"
#include "store/connection.h"
#include "store/error_log.h"
#include "terminal/services/capture_screen.h"
#include "terminal/services/devices.h"
#include "terminal/services/fingerprint_devices.h"
#include "terminal/services/pump.h"

#include <functional>

namespace orvalen::terminal {

class TerminalScreen;

// The capture screen TFRMCAPTURABIOMETRIA as the terminal opens it: a new screen a request,
// given the terminal's shared values and branch choice, shown by the presenter (the dialog,
// or a run without a window), its results copied back. The screen's index of stored fingers
// is kept from one request to the next and read again after an enrolment; an enrolment that
// stored a finger also has the terminal's reader read its kept fingers again.
class FingerprintCaptureScreen : public CaptureScreen {
public:
    using Presenter = std::function<void(biometrics::CaptureScreenLogic&)>;

    FingerprintCaptureScreen(const store::ClubConnection& club, store::Aviso& aviso,
                             store::ErrorLog& errorLog, Pump& pump, EngineStart engine,
                             Presenter presenter);

    void attach(const TerminalScreen& screen, FingerprintReader& reader) {
        screen_ = &screen;
        reader_ = &reader;
    }
    void setCaptureTimeout(int milliseconds) { captureTimeout_ = milliseconds; }

    void showModal(TerminalUnit& unit) override;

private:
    const store::ClubConnection& club_;
    store::Aviso& aviso_;
    store::ErrorLog& errorLog_;
    Pump& pump_;
    EngineStart engine_;
    Presenter presenter_;
    const TerminalScreen* screen_ = nullptr;
    FingerprintReader* reader_ = nullptr;
    int captureTimeout_ = 10000;
    biometrics::KeptFingerIndex keptIndex_;
};

} // namespace orvalen::terminal
