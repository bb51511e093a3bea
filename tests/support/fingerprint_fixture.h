#pragma once

#include "biometrics/finger_image.h"
#include "biometrics/fingerprint_engine.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>
#include <thread>

namespace orvalen::test {

// One fingerprint engine for a test program, over a virtual image reader on a socket of its
// own, and the means to place the sample fingers on that reader.
class FingerprintFixture : public ::testing::Test {
protected:
    static void SetUpTestSuite();
    static void TearDownTestSuite();

    static biometrics::FingerImage sample(const char* name);
    // Places the sample on the reader as soon as the reader waits for a finger; returns at once.
    void present(const char* name);
    void present(const biometrics::FingerImage& image);
    ~FingerprintFixture() override;

    static biometrics::FingerprintEngine& engine() { return *engine_; }
    static std::shared_ptr<biometrics::FingerprintEngine> sharedEngine() { return engine_; }

private:
    static std::unique_ptr<QTemporaryDir> folder_;
    static std::shared_ptr<biometrics::FingerprintEngine> engine_;
    std::thread presenter_;
};

} // namespace orvalen::test
