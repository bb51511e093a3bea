#pragma once

#include "biometrics/finger_image.h"
#include "biometrics/finger_template.h"
#include "biometrics/fingerprint_engine.h"
#include "store/result.h"

#include <QImage>
#include <QObject>
#include <QString>
#include <functional>
#include <memory>

namespace orvalen::biometrics::dpfp {

// A finger as the reader captured it.
struct DPFPSample {
    FingerImage image;
};

// Captures continuously while started: each finger raises OnComplete on the thread that made
// the object, with an empty reader serial number. After StopCapture() no OnComplete is raised
// until the next StartCapture(), even for a finger captured just before the stop.
class DPFPCapture {
public:
    explicit DPFPCapture(std::shared_ptr<FingerprintEngine> engine);
    ~DPFPCapture();
    DPFPCapture(const DPFPCapture&) = delete;
    DPFPCapture& operator=(const DPFPCapture&) = delete;

    int Priority = 2; // the terminal asks for 2; one capture client runs at a time here anyway
    std::function<void(DPFPCapture* sender, const QString& readerSerNum, const DPFPSample& sample)>
        OnComplete;

    // Opens the reader when needed (it stays open until the object is freed); fails when there
    // is none.
    store::Status StartCapture();
    void StopCapture();

private:
    std::shared_ptr<FingerprintEngine> engine_;
    QObject receiver_; // delivers the fingers on the owner's thread
    bool started_ = false;
    bool opened_ = false; // the reader was opened here and is closed with the object
};

// What verification compares: the captured finger itself (the library extracts its minutiae
// while it matches).
struct DPFPFeatureSet {
    FingerImage image;
};

class DPFPFeatureExtraction {
public:
    // Purpose 1 (verification) is the one the terminal uses; an empty sample fails.
    store::Status CreateFeatureSet(const DPFPSample& sample, int purpose);
    const DPFPFeatureSet& FeatureSet() const { return featureSet_; }

private:
    DPFPFeatureSet featureSet_;
};

class DPFPSampleConversion {
public:
    QImage ConvertToPicture(const DPFPSample& sample) const { return sample.image.toQImage(); }
};

} // namespace orvalen::biometrics::dpfp
