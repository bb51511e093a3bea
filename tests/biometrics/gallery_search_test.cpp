#include "bench_club/invented_finger.h"
#include "support/fingerprint_fixture.h"

#include <gtest/gtest.h>
#include <map>

using namespace orvalen;
using biometrics::Minutiae;
using std::chrono::milliseconds;

namespace {

const char* const kFingers[] = {"arch", "loop-right", "tented_arch", "whorl"};

// Large galleries of invented fingers with the sample fingers among them: the ranking must
// leave the search's answer what a comparison of every print gives.
class GallerySearchTest : public test::FingerprintFixture,
                          public ::testing::WithParamInterface<int> {
protected:
    static Minutiae minutiaeOf(const char* name) { return engine().extract(sample(name)).value(); }

    // `size` prints numbered by their position; the sample fingers (but `left out`) at spread
    // positions, arch a second time further on under another number.
    std::unique_ptr<biometrics::FingerprintEngine::Gallery> gallery(int size, const char* leftOut) {
        std::map<int, const char*> placed = {{size / 7, "arch"},
                                             {size / 3, "loop-right"},
                                             {size / 2, "tented_arch"},
                                             {size - 1, "whorl"},
                                             {size * 5 / 6, "arch"}};
        std::mt19937 random(size);
        auto result = engine().newGallery();
        for (int id = 0; id < size; ++id) {
            const auto at = placed.find(id);
            if (at != placed.end() && at->second != std::string(leftOut)) {
                result->add(id, minutiaeOf(at->second));
            } else {
                result->add(id, bench::inventedFinger(random));
            }
        }
        return result;
    }
};

TEST_P(GallerySearchTest, EachSecondPresentationIsFoundAndAnUnknownFingerRefused) {
    const int size = GetParam();
    const std::map<std::string, int> expected = {{"arch", size / 7},
                                                 {"loop-right", size / 3},
                                                 {"tented_arch", size / 2},
                                                 {"whorl", size - 1}};
    auto enrolled = gallery(size, "");
    for (const char* finger : kFingers) {
        const std::string second = std::string(finger) + "_rot";
        auto found = enrolled->identify(sample(second.c_str()), {milliseconds(30000)});
        ASSERT_TRUE(found.ok()) << found.error().message.toStdString();
        ASSERT_TRUE(found->id.has_value()) << second << " among " << size;
        EXPECT_EQ(*found->id, expected.at(finger))
            << second << ": the first of its prints in gallery order";
    }

    auto withoutWhorl = gallery(size, "whorl");
    auto found = withoutWhorl->identify(sample("whorl_rot"), {milliseconds(30000)});
    ASSERT_TRUE(found.ok()) << found.error().message.toStdString();
    EXPECT_FALSE(found->id.has_value()) << "whorl is not enrolled among " << size;
}

INSTANTIATE_TEST_SUITE_P(Enrolled, GallerySearchTest, ::testing::Values(1000, 10000));

} // namespace
