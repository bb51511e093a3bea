#include "biometrics/digital_persona.h"

namespace orvalen::biometrics::dpfp {

DPFPCapture::DPFPCapture(std::shared_ptr<FingerprintEngine> engine) : engine_(std::move(engine)) {}

DPFPCapture::~DPFPCapture() {
    StopCapture();
    if (opened_) {
        engine_->closeReader();
    }
}

store::Status DPFPCapture::StartCapture() {
    const store::Status opened = engine_->openReader();
    if (!opened.ok()) {
        return opened;
    }
    opened_ = true;
    engine_->watchFingers(&receiver_, [this](const FingerImage& image) {
        if (OnComplete) {
            OnComplete(this, QString(), DPFPSample{image});
        }
    });
    started_ = true;
    return store::Status::success();
}

void DPFPCapture::StopCapture() {
    if (started_) {
        engine_->stopWatching();
        started_ = false;
    }
}

store::Status DPFPFeatureExtraction::CreateFeatureSet(const DPFPSample& sample, int) {
    if (sample.image.isEmpty()) {
        return store::Error{QStringLiteral("the sample holds no fingerprint image")};
    }
    featureSet_ = DPFPFeatureSet{sample.image};
    return store::Status::success();
}

} // namespace orvalen::biometrics::dpfp
