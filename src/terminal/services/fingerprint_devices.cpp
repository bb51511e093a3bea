#include "terminal/services/fingerprint_devices.h"

#include "terminal/terminal_screen.h"

namespace orvalen::terminal {

namespace {
constexpr int kAnyReader = 255;
constexpr int kPollInterval = 1000;
constexpr int kCapturePriority = 2;
} // namespace

LibfprintReaders::LibfprintReaders(EngineStart engine, const store::ClubConnection& club,
                                   store::ErrorLog& errorLog)
    : engine_(std::move(engine)), club_(club), errorLog_(errorLog) {
    TimerSFinger_.setInterval(kPollInterval);
    QObject::connect(&TimerSFinger_, &QTimer::timeout, &TimerSFinger_, [this] { pollTick(); });
}

LibfprintReaders::~LibfprintReaders() {
    release();
}

store::Status LibfprintReaders::prepare(ReaderKind kind) {
    if (!engine_.ok()) {
        return engine_.error();
    }
    return kind == ReaderKind::NBioBSP ? prepareNBio() : prepareDigitalPersona();
}

store::Status LibfprintReaders::prepareNBio() {
    nbio_ = std::make_unique<biometrics::nbiobsp::NBioBSP>(engine_);
    nbio_->Device.Open(kAnyReader);
    if (nbio_->Device.ErrorCode() != biometrics::nbiobsp::kNone) {
        const QString why = nbio_->Device.ErrorDescription();
        nbio_.reset();
        return store::Error{why};
    }
    return store::Status::success();
}

store::Status LibfprintReaders::prepareDigitalPersona() {
    verification_ = std::make_unique<biometrics::dpfp::DPFPVerification>(engine_.value());
    capture_ = std::make_unique<biometrics::dpfp::DPFPCapture>(engine_.value());
    capture_->Priority = kCapturePriority;
    capture_->OnComplete = [this](biometrics::dpfp::DPFPCapture*, const QString& serial,
                                  const biometrics::dpfp::DPFPSample& sample) {
        if (screen_ != nullptr) {
            screen_->deliver([this, serial, sample] {
                screen_->OnComplete(serial, sample);
                if (fingerHandled_) {
                    fingerHandled_();
                }
            });
        }
    };
    gallery_ = std::make_unique<biometrics::PersonaGallery>(engine_.value());
    if (const store::Status read = gallery_->refresh(club_); !read.ok()) {
        release();
        return read;
    }
    if (const store::Status started = capture_->StartCapture(); !started.ok()) {
        release();
        return started;
    }
    return store::Status::success();
}

void LibfprintReaders::release() {
    TimerSFinger_.stop();
    if (capture_) {
        capture_->StopCapture();
    }
    capture_.reset();
    verification_.reset();
    gallery_.reset();
    nbio_.reset();
}

void LibfprintReaders::openDevice() {
    if (!nbio_) {
        return;
    }
    nbio_->Device.Open(kAnyReader);
    if (nbio_->Device.ErrorCode() != biometrics::nbiobsp::kNone) {
        errorLog_.record(nbio_->Device.ErrorDescription());
    }
}

void LibfprintReaders::closeDevice() {
    if (nbio_) {
        nbio_->Device.Close(kAnyReader);
    }
}

void LibfprintReaders::startPoll() {
    if (nbio_) {
        TimerSFinger_.start();
    }
}

void LibfprintReaders::stopPoll() {
    TimerSFinger_.stop();
}

void LibfprintReaders::pollTick() {
    // One tick waits at a time: ticks that fall while a person is decided are not stacked up.
    if (screen_ == nullptr || tickQueued_) {
        return;
    }
    tickQueued_ = true;
    screen_->deliver([this] {
        tickQueued_ = false;
        screen_->TimerSFingerTimer();
    });
}

bool LibfprintReaders::CheckFinger() {
    return nbio_ && nbio_->Device.CheckFinger();
}

void LibfprintReaders::startCapture() {
    if (!capture_) {
        return;
    }
    if (const store::Status started = capture_->StartCapture(); !started.ok()) {
        errorLog_.record(started.error().message);
    }
}

void LibfprintReaders::stopCapture() {
    if (capture_) {
        capture_->StopCapture();
    }
}

store::Result<std::optional<QString>>
LibfprintReaders::findStoredFinger(const biometrics::dpfp::DPFPFeatureSet& featureSet) {
    if (!gallery_) {
        return std::optional<QString>();
    }
    return gallery_->find(featureSet);
}

void LibfprintReaders::templatesChanged() {
    if (!gallery_) {
        return;
    }
    if (const store::Status read = gallery_->refresh(club_); !read.ok()) {
        errorLog_.record(read.error().message);
    }
}

} // namespace orvalen::terminal
