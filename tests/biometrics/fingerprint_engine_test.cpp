#include "biometrics/finger_template.h"
#include "biometrics/nbiobsp.h"
#include "support/fingerprint_fixture.h"
#include "support/qstring_printer.h"

#include <QElapsedTimer>
#include <QTimer>
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
            auto found = gallery->identify(sample(rotated.c_str()), {milliseconds(3000)});
            ASSERT_TRUE(found.ok()) << found.error().message.toStdString();
            if (i == absent) {
                EXPECT_FALSE(found->id.has_value()) << rotated << " is not enrolled";
            } else {
                ASSERT_TRUE(found->id.has_value()) << rotated;
                EXPECT_EQ(*found->id, 100 + i) << rotated;
            }
        }
    }
}

TEST_F(FingerprintEngineTest, TheReaderHandsOverThePlacedFinger) {
    const auto readers = engine().readers();
    ASSERT_EQ(readers.size(), 1u) << "the test's virtual reader only";
    EXPECT_EQ(readers[0].driver, QStringLiteral("virtual_image"));
    EXPECT_TRUE(readers[0].givesImages);
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

namespace {

TEST_F(FingerprintEngineTest, TheGuiThreadRunsItsEventsWhileAFingerIsSearched) {
    auto gallery = engine().newGallery();
    const biometrics::Minutiae arch = engine().extract(sample("arch")).value();
    for (int id = 0; id < 20; ++id) {
        gallery->add(id, arch);
    }
    int ticks = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, &timer, [&] { ++ticks; });
    timer.start(5);
    auto found = gallery->identify(sample("whorl_rot"), {milliseconds(30000)});
    timer.stop();
    ASSERT_TRUE(found.ok());
    EXPECT_FALSE(found->id.has_value());
    EXPECT_GT(ticks, 0) << "the window would have frozen";
}

} // namespace

namespace {

TEST_F(FingerprintEngineTest, ASearchStopsAtItsTimeLimit) {
    auto gallery = engine().newGallery();
    // Prints that line up well enough to go to the library's matcher.
    const biometrics::Minutiae whorl = engine().extract(sample("whorl")).value();
    for (int id = 0; id < 600; ++id) {
        gallery->add(id, whorl);
    }
    QElapsedTimer timer;
    timer.start();
    auto found = gallery->identify(sample("whorl_rot"), {milliseconds(1)});
    ASSERT_TRUE(found.ok()) << found.error().message.toStdString();
    EXPECT_TRUE(found->outOfTime) << "not a finger that is not on file";
    EXPECT_FALSE(found->id.has_value());
    EXPECT_EQ(found->gallerySize, 600u);
    EXPECT_TRUE(found->outOfTimeText().contains(QStringLiteral("among 600 stored fingers")))
        << found->outOfTimeText().toStdString();
    EXPECT_LT(timer.elapsed(), 2000) << "600 dense prints take several seconds to compare";

    // The reader object tells it apart from a finger not on file.
    biometrics::nbiobsp::NBioBSP bsp(sharedEngine());
    const QString whorlText = biometrics::digitalText(whorl);
    for (int id = 1; id <= 600; ++id) {
        bsp.IndexSearch.AddFIR(whorlText, id);
    }
    bsp.Device.Open(255);
    present("whorl_rot");
    bsp.Extraction.Capture(1);
    bsp.Device.Close(255);
    bsp.IndexSearch.MaxSearchTime = 1;
    bsp.IndexSearch.IdentifyUser(bsp.Extraction.TextEncodeFIR(), 5);
    EXPECT_EQ(bsp.IndexSearch.ErrorCode(), biometrics::nbiobsp::kOutOfTime);
    EXPECT_TRUE(bsp.IndexSearch.ErrorDescription().contains(QStringLiteral("600")));
}

} // namespace
