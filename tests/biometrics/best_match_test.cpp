#include "biometrics/best_match.h"
#include "biometrics/match_rules.h"

#include <gtest/gtest.h>
#include <set>

using namespace orvalen::biometrics;

namespace {

// A ranked gallery as the matcher would see it: which positions it accepts and which positions
// hold one finger stored twice.
struct Case {
    const char* name;
    std::vector<RankedCandidate> ranked; // best first
    std::set<std::size_t> accepted;
    std::set<std::size_t> copiesOfOneFinger;
    std::optional<std::size_t> chosen;
    std::optional<std::pair<std::size_t, std::size_t>> tooClose; // best, rival
};

TEST(BestMatch, TheBestAcceptedFingerWinsAndCloseRivalsRefuse) {
    const int m = kRivalMargin;
    const Case cases[] = {
        {"the matcher accepts a weaker print too: the best wins",
         {{5, 51}, {2, 32}},
         {5, 2},
         {},
         5,
         {}},
        {"a refused print above does not count", {{2, 57}, {5, 35}}, {5}, {}, 5, {}},
        {"nothing accepted", {{2, 57}, {5, 35}}, {}, {}, {}, {}},
        {"equal scores: the earlier in the gallery", {{3, 40}, {8, 40}}, {3, 8}, {3, 8}, 3, {}},
        {"another finger within the margin: no one",
         {{4, 45}, {9, 45 - m}},
         {4, 9},
         {},
         {},
         std::pair{4u, 9u}},
        {"another finger just past the margin", {{4, 45}, {9, 44 - m}}, {4, 9}, {}, 4, {}},
        {"a close rival the matcher refuses", {{4, 45}, {9, 44}}, {4}, {}, 4, {}},
        {"one finger under two numbers: the earlier row",
         {{7, 50}, {1, 48}},
         {7, 1},
         {7, 1},
         1,
         {}},
        {"the same finger later in the gallery is no rival",
         {{1, 50}, {7, 48}},
         {1, 7},
         {1, 7},
         1,
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        int calls = 0;
        const FirstAccepted firstAccepted =
            [&](const std::vector<RankedCandidate>& candidates) -> orvalen::store::Result<int> {
            ++calls;
            for (std::size_t i = 0; i < candidates.size(); ++i) {
                if (c.accepted.count(candidates[i].position) != 0) {
                    return int(i);
                }
            }
            return -1;
        };
        const auto choice = chooseMatch(c.ranked, firstAccepted, [&](std::size_t a, std::size_t b) {
            return c.copiesOfOneFinger.count(a) != 0 && c.copiesOfOneFinger.count(b) != 0;
        });
        ASSERT_TRUE(choice.ok());
        EXPECT_EQ(choice->chosen ? std::optional(choice->chosen->position) : std::nullopt,
                  c.chosen);
        if (c.tooClose) {
            ASSERT_TRUE(choice->best && choice->rival);
            EXPECT_EQ(choice->best->position, c.tooClose->first);
            EXPECT_EQ(choice->rival->position, c.tooClose->second);
        } else {
            EXPECT_FALSE(choice->rival.has_value());
        }
        EXPECT_LE(calls, 3) << "each call to the matcher extracts the image again";
    }
}

TEST(BestMatch, TheSecurityLevelSetsTheMinimum) {
    struct Level {
        int level;
        int minimum;
    };
    for (const Level& l :
         {Level{1, 18}, Level{5, 30}, Level{9, 42}, Level{0, 30}, Level{-3, 30}, Level{12, 42}}) {
        EXPECT_EQ(minimumScoreForLevel(l.level), l.minimum) << "level " << l.level;
    }
}

TEST(BestMatch, AMatcherFailureIsNoAnswer) {
    const auto choice = chooseMatch(
        {{1, 50}},
        [](const auto&) -> orvalen::store::Result<int> {
            return orvalen::store::Error{QStringLiteral("the fingerprint search took longer")};
        },
        [](std::size_t, std::size_t) { return false; });
    EXPECT_FALSE(choice.ok());
}

} // namespace
