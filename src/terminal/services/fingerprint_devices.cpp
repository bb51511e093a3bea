#include "terminal/services/fingerprint_devices.h"

#include "terminal/terminal_screen.h"

namespace orvalen::terminal {

namespace {
constexpr int kAnyReader = 255;
constexpr int kPollInterval = 1000;
constexpr int kCapturePriority = 2;
// How often the DigitalPersona fingers' marker is looked at: fingers written by the enrolment
// software are followed within this time.
constexpr int kFreshnessInterval = 20000;
} // namespace

LibfprintReaders::LibfprintReaders(EngineStart engine, const store::ClubConnection& club,
                                   store::ErrorLog& errorLog)
    : engine_(std::move(engine)), club_(club), errorLog_(errorLog) {
    TimerSFinger_.setInterval(kPollInterval);
    QObject::connect(&TimerSFinger_, &QTimer::timeout, &TimerSFinger_, [this] { pollTick(); });
    freshness_.setInterval(kFreshnessInterval);
    QObject::connect(&freshness_, &QTimer::timeout, &freshness_, [this] {
        // Through the gate: never while a finger is being searched or a person decided.
        if (screen_ != nullptr) {
            screen_->deliver([this] { followStoredFingers(); });
        }
    });
}

LibfprintReaders::~LibfprintReaders() {
    release();
}

ReaderPreparation LibfprintReaders::prepare(ReaderKind kind) {
    if (!engine_.ok()) {
        return {ReaderPreparation::Outcome::NoLibrary, engine_.error().message};
    }
    return kind == ReaderKind::NBioBSP ? prepareNBio() : prepareDigitalPersona();
}

ReaderPreparation LibfprintReaders::prepareNBio() {
    nbio_ = std::make_unique<biometrics::nbiobsp::NBioBSP>(engine_);
    nbio_->Device.Open(kAnyReader);
    const int code = nbio_->Device.ErrorCode();
    if (code == biometrics::nbiobsp::kNone) {
        return {};
    }
    const QString why = nbio_->Device.ErrorDescription();
    nbio_.reset();
    return {code == biometrics::nbiobsp::kLibraryUnavailable ? ReaderPreparation::Outcome::NoLibrary
                                                             : ReaderPreparation::Outcome::NoReader,
            why};
}

ReaderPreparation LibfprintReaders::prepareDigitalPersona() {
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
        return {ReaderPreparation::Outcome::DatabaseError, read.error().message};
    }
    if (const store::Status started = capture_->StartCapture(); !started.ok()) {
        release();
        return {ReaderPreparation::Outcome::NoReader, started.error().message};
    }
    freshness_.start();
    return {};
}

void LibfprintReaders::release() {
    TimerSFinger_.stop();
    freshness_.stop();
    if (capture_) {
        capture_->StopCapture();
    }
    capture_.reset();
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
    return gallery_->find(featureSet, errorLog_);
}

void LibfprintReaders::followStoredFingers() {
    if (!gallery_) {
        return;
    }
    if (const store::Status read = gallery_->refreshIfChanged(club_); !read.ok()) {
        errorLog_.record(read.error().message);
    }
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
