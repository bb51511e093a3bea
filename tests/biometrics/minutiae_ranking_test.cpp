#include "bench_club/invented_finger.h"
#include "biometrics/minutiae_ranking.h"
#include "support/fingerprint_fixture.h"

#include <gtest/gtest.h>

using namespace orvalen;
using biometrics::AlignmentProbe;
using biometrics::Minutiae;
using biometrics::MinutiaeRanking;

namespace {

const char* const kFingers[] = {"arch", "loop-right", "tented_arch", "whorl"};

class MinutiaeRankingTest : public test::FingerprintFixture {
protected:
    static Minutiae minutiaeOf(const std::string& name) {
        auto minutiae = engine().extract(sample(name.c_str()));
        EXPECT_TRUE(minutiae.ok()) << name << ": " << minutiae.error().message.toStdString();
        return minutiae.ok() ? minutiae.value() : Minutiae{};
    }
};

// Each second presentation (turned about 10 degrees and shifted) lines up with its own finger
// better than with any other sample finger or any of 500 invented ones.
TEST_F(MinutiaeRankingTest, ASecondPresentationLinesUpWithItsOwnFingerOnly) {
    std::mt19937 random(11);
    std::vector<Minutiae> invented;
    for (int i = 0; i < 500; ++i) {
        invented.push_back(bench::inventedFinger(random));
    }
    for (const char* own : kFingers) {
        const AlignmentProbe probe(minutiaeOf(std::string(own) + "_rot"));
        const int ownScore = probe.score(minutiaeOf(own));
        int strangers = 0;
        for (const char* other : kFingers) {
            if (std::string(other) != own) {
                strangers = std::max(strangers, probe.score(minutiaeOf(other)));
            }
        }
        for (const Minutiae& finger : invented) {
            strangers = std::max(strangers, probe.score(finger));
        }
        std::cout << "[ measure  ] " << own << "_rot: own finger " << ownScore << ", best stranger "
                  << strangers << "\n";
        EXPECT_GT(ownScore, strangers) << own << ": ranked below a stranger";
    }
}

// The vote does not depend on where the finger lies on the reader, nor on how it is turned
// within the limit (a turn between two of the matcher's direction steps loses some minutiae far
// from the centre); beyond the limit it is no longer counted.
TEST_F(MinutiaeRankingTest, AFingerMovedAndTurnedStillLinesUpWhole) {
    const Minutiae whorl = minutiaeOf("whorl");
    const auto moved = [&](int degrees) {
        const double angle = degrees * M_PI / 180.0;
        Minutiae result;
        for (const biometrics::Minutia& m : whorl) {
            // Turned about (128, 120) and shifted by (30, -20); the directions turn with it.
            const double x = m.x - 128.0;
            const double y = m.y - 120.0;
            result.push_back(
                {int(std::lround(128 + 30 + std::cos(angle) * x - std::sin(angle) * y)),
                 int(std::lround(120 - 20 + std::sin(angle) * x + std::cos(angle) * y)),
                 (m.theta + degrees + 540) % 360 - 180});
        }
        return result;
    };
    for (int degrees : {0, 17, -25, 44}) {
        EXPECT_GE(AlignmentProbe(moved(degrees)).score(whorl), int(whorl.size()) * 2 / 3)
            << "turned " << degrees << " degrees";
    }
    EXPECT_LT(AlignmentProbe(moved(120)).score(whorl), int(whorl.size()) / 2)
        << "turned past the limit";
}

TEST(MinutiaeRankingOrder, TheBestComeFirstTheEarlierWinningATieAndTheWeakLeftOut) {
    std::mt19937 random(5);
    const Minutiae finger = bench::inventedFinger(random);
    const Minutiae half(finger.begin(), finger.begin() + std::ptrdiff_t(finger.size() / 2));
    MinutiaeRanking ranking;
    for (int i = 0; i < 50; ++i) {
        if (i == 7 || i == 30 || i == 41) {
            ranking.add(finger);
        } else if (i == 3) {
            ranking.add(half);
        } else {
            ranking.add(bench::inventedFinger(random));
        }
    }
    // The selection, not the vote: the minimum is set between what the half and the whole
    // finger gather.
    const int whole = AlignmentProbe(finger).score(finger);
    const int halfScore = AlignmentProbe(finger).score(half);
    ASSERT_LT(halfScore, whole);
    const auto positions = [](const std::vector<biometrics::RankedCandidate>& candidates) {
        std::vector<std::size_t> result;
        for (const auto& c : candidates) {
            result.push_back(c.position);
        }
        return result;
    };
    using P = std::vector<std::size_t>;
    EXPECT_EQ(positions(ranking.best(finger, halfScore, 2)), (P{7, 30}));
    EXPECT_EQ(positions(ranking.best(finger, halfScore, 5)), (P{7, 30, 41, 3}))
        << "fewer than asked reach the minimum: those, the best first";
    EXPECT_EQ(positions(ranking.best(finger, halfScore + 1, 5)), (P{7, 30, 41}));
    EXPECT_EQ(ranking.best(finger, whole, 1).front().score, whole);

    ranking.removeAt(7); // 30 and 41 move up to 29 and 40
    EXPECT_EQ(positions(ranking.best(finger, halfScore, 2)), (P{29, 40}));
}

} // namespace
