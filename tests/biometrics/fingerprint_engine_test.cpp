#include "biometrics/finger_template.h"
#include "biometrics/fingerprint_fixture.h"
#include "support/qstring_printer.h"

#include <gtest/gtest.h>

using namespace orvalen;
using biometrics::FingerImage;
using std::chrono::milliseconds;

namespace {

const char* const kFingers[] = {"arch", "loop-right", "tented_arch", "whorl"};

class FingerprintEngineTest : public test::FingerprintFixture {};

TEST_F(FingerprintEngineTest, SampleTemplatesFitTheColumnAndComeBackWhole) {
    for (const char* finger : kFingers) {
        auto minutiae = engine().extract(sample(finger));
        ASSERT_TRUE(minutiae.ok()) << finger << ": " << minutiae.error().message.toStdString();
        EXPECT_GE(int(minutiae->size()), biometrics::kMinimumMinutiae) << finger;
        const QString digital = biometrics::digitalText(minutiae.value());
        EXPECT_LE(digital.size(), 1000) << finger;
        auto back = biometrics::minutiaeFromDigital(digital);
        ASSERT_TRUE(back.ok());
        EXPECT_EQ(back.value(), minutiae.value());
    }
}

TEST_F(FingerprintEngineTest, EachSecondPresentationIsFoundAsItsOwnFingerAndNoOther) {
    for (int absent = -1; absent < 4; ++absent) {
        auto gallery = engine().newGallery();
        for (int i = 0; i < 4; ++i) {
            if (i != absent) {
                gallery->add(100 + i, engine().extract(sample(kFingers[i])).value());
            }
        }
        for (int i = 0; i < 4; ++i) {
            const std::string rotated = std::string(kFingers[i]) + "_rot";
            auto found = gallery->identify(sample(rotated.c_str()), milliseconds(3000));
            ASSERT_TRUE(found.ok()) << found.error().message.toStdString();
            if (i == absent) {
                EXPECT_FALSE(found->has_value()) << rotated << " is not enrolled";
            } else {
                ASSERT_TRUE(found->has_value()) << rotated;
                EXPECT_EQ(*found.value(), 100 + i) << rotated;
            }
        }
    }
}

TEST_F(FingerprintEngineTest, TheReaderHandsOverThePlacedFinger) {
    ASSERT_TRUE(engine().openReader().ok());
    present("whorl_rot");
    auto finger = engine().takeFinger(milliseconds(5000));
    ASSERT_TRUE(finger.ok()) << finger.error().message.toStdString();
    const FingerImage expected = sample("whorl_rot");
    EXPECT_EQ(finger->width, expected.width);
    EXPECT_EQ(finger->pixels, expected.pixels);

    auto none = engine().takeFinger(milliseconds(200));
    ASSERT_FALSE(none.ok());
    EXPECT_EQ(none.error().message,
              QStringLiteral("no finger was placed on the reader within 200 ms"));
    engine().closeReader();
}

} // namespace
