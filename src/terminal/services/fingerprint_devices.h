#pragma once

#include "biometrics/digital_persona.h"
#include "biometrics/finger_galleries.h"
#include "biometrics/fingerprint_engine.h"
#include "biometrics/nbiobsp.h"
#include "store/connection.h"
#include "store/error_log.h"
#include "terminal/services/devices.h"

#include <QObject>
#include <QTimer>
#include <functional>
#include <memory>

namespace orvalen::terminal {

class TerminalScreen;

using EngineStart = store::Result<std::shared_ptr<biometrics::FingerprintEngine>>;

// The fingerprint readers of a terminal over the fingerprint library: the NBioBSP device and
// its poll timer, or the DigitalPersona capture with the stored fingers kept in memory (read
// at start-up, after each enrolment and whenever their marker changes, in database order). The
// poll's ticks and the captured fingers reach the screen through TerminalScreen::deliver(), so that
// they wait while a person is being decided.
class LibfprintReaders : public FingerprintReader {
public:
    LibfprintReaders(EngineStart engine, const store::ClubConnection& club,
                     store::ErrorLog& errorLog);
    ~LibfprintReaders() override;

    void attach(TerminalScreen& screen) { screen_ = &screen; }
    // Called once the screen has dealt with a finger the DigitalPersona capture delivered.
    void onFingerHandled(std::function<void()> handled) { fingerHandled_ = std::move(handled); }

    ReaderPreparation prepare(ReaderKind kind) override;
    void release() override;
    void openDevice() override;
    void closeDevice() override;
    void startPoll() override;
    void stopPoll() override;
    bool CheckFinger() override;
    void startCapture() override;
    void stopCapture() override;
    store::Result<std::optional<QString>>
    findStoredFinger(const biometrics::dpfp::DPFPFeatureSet& featureSet) override;
    void templatesChanged() override;

private:
    ReaderPreparation prepareNBio();
    ReaderPreparation prepareDigitalPersona();
    void pollTick();
    void followStoredFingers();

    EngineStart engine_;
    const store::ClubConnection& club_;
    store::ErrorLog& errorLog_;
    TerminalScreen* screen_ = nullptr;
    std::unique_ptr<biometrics::nbiobsp::NBioBSP> nbio_;
    std::unique_ptr<biometrics::dpfp::DPFPCapture> capture_;
    std::unique_ptr<biometrics::PersonaGallery> gallery_;
    QTimer TimerSFinger_;
    QTimer freshness_;
    bool tickQueued_ = false;
    std::function<void()> fingerHandled_;
};

} // namespace orvalen::terminal
