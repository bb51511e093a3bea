#pragma once

#include "biometrics/finger_image.h"
#include "biometrics/finger_template.h"
#include "biometrics/fprint_include.h"
#include "store/result.h"

#include <QTemporaryDir>
#include <chrono>
#include <memory>

namespace orvalen::biometrics {

// The library matches a finger only as it arrives at an image reader. The matcher is a private
// virtual image reader: the images of the real reader are handed to it, and it extracts their
// minutiae and compares them with stored prints with the library's own matcher (bozorth3, a
// score of 40 accepts). Used on the library thread only.
class FprintMatcher {
public:
    // Creates the private reader on a socket in a folder of its own.
    static store::Result<std::unique_ptr<FprintMatcher>> start();
    ~FprintMatcher();
    FprintMatcher(const FprintMatcher&) = delete;
    FprintMatcher& operator=(const FprintMatcher&) = delete;

    // The device prints must be rebuilt for (see printFromMinutiae()).
    FpDevice* device() const { return device_; }

    // The minutiae the library finds in an image.
    store::Result<Minutiae> extract(const FingerImage& image);

    // The position in the gallery of the first print the image matches, -1 for none, or
    // kOutOfTime when the deadline passed first.
    static constexpr int kOutOfTime = -2;
    store::Result<int> identify(const FingerImage& image, GPtrArray* gallery,
                                std::chrono::milliseconds limit,
                                std::chrono::steady_clock::time_point deadline);

private:
    // Prints compared in one library call; each call costs one minutiae extraction more.
    static constexpr guint kPartSize = 250;

    FprintMatcher() = default;
    store::Result<int> identifyPart(const FingerImage& image, GPtrArray* part,
                                    std::chrono::milliseconds limit,
                                    std::chrono::milliseconds left);
    struct Operation;
    // Runs the operation, failing it when it is not done within `left`; a failure names the
    // caller's whole `limit`.
    store::Status run(Operation& operation, const FingerImage& image,
                      std::chrono::milliseconds left, std::chrono::milliseconds limit);

    bool cancelled_ = false; // the last run() ran out of its time
    QTemporaryDir folder_;
    FpContext* context_ = nullptr;
    FpDevice* device_ = nullptr;
    FpPrint* probeTemplate_ = nullptr; // the print extract() verifies against
    int socket_ = -1;
};

} // namespace orvalen::biometrics
