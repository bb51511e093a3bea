#include "biometrics/nbiobsp.h"
#include "support/finger_variants.h"
#include "support/fingerprint_fixture.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <gtest/gtest.h>

using namespace orvalen;
using std::chrono::milliseconds;

namespace {

const char* const kOthers[] = {"arch", "loop-right", "tented_arch"};

class FingerprintSpeedTest : public test::FingerprintFixture {
protected:
    // A gallery of `size` prints: copies of the other sample fingers, whorl last.
    void fill(biometrics::FingerprintEngine::Gallery& gallery, int size) {
        biometrics::Minutiae others[3];
        for (int i = 0; i < 3; ++i) {
            others[i] = engine().extract(sample(kOthers[i])).value();
        }
        for (int id = 1; id < size; ++id) {
            gallery.add(id, others[id % 3]);
        }
        gallery.add(size, engine().extract(sample("whorl")).value());
    }
};

// Number then finger: the typed number's print is compared first, whatever the size of the
// index; the finger already waits on the reader when the capture starts.
TEST_F(FingerprintSpeedTest, TypedNumberAndFingerAnswerWithinHalfASecond) {
    biometrics::nbiobsp::NBioBSP bsp(sharedEngine());
    const QString whorl = biometrics::digitalText(engine().extract(sample("whorl")).value());
    const QString arch = biometrics::digitalText(engine().extract(sample("arch")).value());
    for (int id = 1; id < 1000; ++id) {
        bsp.IndexSearch.AddFIR(arch, id);
    }
    bsp.IndexSearch.AddFIR(whorl, 1000);

    bsp.Device.Open(255);
    present("whorl_rot");
    QElapsedTimer waited;
    waited.start();
    while (!bsp.Device.CheckFinger() && waited.elapsed() < 5000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    QElapsedTimer timer;
    timer.start();
    bsp.Extraction.Capture(1);
    bsp.IndexSearch.IdentifyUser(bsp.Extraction.TextEncodeFIR(), 5, 1000);
    const qint64 elapsed = timer.elapsed();
    bsp.Device.Close(255);
    EXPECT_EQ(bsp.IndexSearch.ErrorCode(), biometrics::nbiobsp::kNone)
        << bsp.IndexSearch.ErrorDescription().toStdString();
    EXPECT_EQ(bsp.IndexSearch.UserID, 1000);
    EXPECT_LE(elapsed, 500) << "finger to outcome, 1,000 fingers enrolled";
    std::cout << "[ measure  ] number then finger, 1,000 enrolled: " << elapsed << " ms\n";
}

// The figures of the closing note (run with --gtest_also_run_disabled_tests): the finger
// enrolled last, and a finger no one enrolled, from the image to the answer (the probe's
// extraction included).
TEST_F(FingerprintSpeedTest, DISABLED_IdentificationOverTheWholeGallery) {
    for (int size : {100, 1000, 10000}) {
        auto gallery = engine().newGallery();
        fill(*gallery, size);
        gallery->identify(sample("arch_rot"), {milliseconds(600000)}); // the additions are done
        QElapsedTimer timer;
        timer.start();
        auto found = gallery->identify(sample("whorl_rot"), {milliseconds(600000)});
        const qint64 elapsed = timer.elapsed();
        ASSERT_TRUE(found.ok()) << found.error().message.toStdString();
        EXPECT_EQ(found->id.value_or(-1), size);
        timer.start();
        auto unknown =
            gallery->identify(test::mirrored(sample("whorl_rot")), {milliseconds(600000)});
        const qint64 refused = timer.elapsed();
        ASSERT_TRUE(unknown.ok()) << unknown.error().message.toStdString();
        EXPECT_FALSE(unknown->id.has_value());
        std::cout << "[ measure  ] 1:N, " << size << " enrolled: match in last place " << elapsed
                  << " ms, unknown finger " << refused << " ms\n";
    }
}

} // namespace
