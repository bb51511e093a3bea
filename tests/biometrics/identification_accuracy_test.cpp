#include "bench_club/invented_finger.h"
#include "support/finger_variants.h"
#include "support/fingerprint_fixture.h"

#include <gtest/gtest.h>

using namespace orvalen;
using std::chrono::milliseconds;

namespace {

const char* const kFingers[] = {"arch", "loop-right", "tented_arch", "whorl"};

// Every second presentation of the sample fingers, turned, cropped, noisy, moved, darker and
// lighter, against the four enrolled alone and among invented prints with a ridge flow: a
// presentation is given to its own finger or to no one, and a finger seen in a mirror (that no
// one enrolled) to no one.
class IdentificationAccuracyTest : public test::FingerprintFixture,
                                   public ::testing::WithParamInterface<int> {
protected:
    // The sample fingers under their index in kFingers, spread among `impostors` others
    // numbered from 100.
    static std::unique_ptr<biometrics::FingerprintEngine::Gallery> gallery(int impostors) {
        std::mt19937 random(2026);
        auto result = engine().newGallery();
        const int total = impostors + 4;
        int next = 0;
        for (int position = 0; position < total; ++position) {
            if (next < 4 && position == next * total / 4 + total / 8) {
                result->add(next, engine().extract(sample(kFingers[next])).value());
                ++next;
            } else {
                result->add(100 + position, bench::inventedFinger(random));
            }
        }
        return result;
    }
};

TEST_P(IdentificationAccuracyTest, NoPresentationIsGivenToTheWrongMember) {
    const int impostors = GetParam();
    auto enrolled = gallery(impostors);
    int presented = 0;
    int found = 0;
    for (int own = 0; own < 4; ++own) {
        const std::string second = std::string(kFingers[own]) + "_rot";
        for (const test::Presentation& p : test::presentationsOf(sample(second.c_str()))) {
            SCOPED_TRACE(second + " " + p.name);
            auto answer = enrolled->identify(p.image, {milliseconds(30000)});
            ASSERT_TRUE(answer.ok()) << answer.error().message.toStdString();
            ++presented;
            if (answer->id) {
                EXPECT_EQ(*answer->id, own) << "given to the wrong member";
                found += *answer->id == own ? 1 : 0;
            }
            auto stranger = enrolled->identify(test::mirrored(p.image), {milliseconds(30000)});
            ASSERT_TRUE(stranger.ok()) << stranger.error().message.toStdString();
            EXPECT_FALSE(stranger->id.has_value())
                << "seen in a mirror, given to " << stranger->id.value_or(-1);
        }
    }
    std::cout << "[ measure  ] " << impostors << " invented prints: " << found << " of "
              << presented << " presentations found (" << found * 100 / presented
              << " %), none given to another\n";
    // Most presentations are still found: a matcher that refuses everything passes no test.
    EXPECT_GE(found * 4, presented * 3);
}

INSTANTIATE_TEST_SUITE_P(Gallery, IdentificationAccuracyTest, ::testing::Values(0, 10000),
                         [](const auto& info) {
                             return info.param == 0 ? std::string("FourSamples")
                                                    : "AmongInvented" + std::to_string(info.param);
                         });

} // namespace
