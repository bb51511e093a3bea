#include "biometrics/best_match.h"

#include "biometrics/match_rules.h"

#include <algorithm>

namespace orvalen::biometrics {

store::Result<MatchChoice> chooseMatch(const std::vector<RankedCandidate>& ranked,
                                       const FirstAccepted& firstAccepted,
                                       const SameFinger& sameFinger) {
    auto first = firstAccepted(ranked);
    if (!first.ok()) {
        return first.error();
    }
    if (first.value() < 0) {
        return MatchChoice{};
    }
    const RankedCandidate winner = ranked[std::size_t(first.value())];
    // Those above the winner were refused by the matcher; below it: other fingers close enough
    // to be confused with it, and the same finger stored again under an earlier number.
    std::vector<RankedCandidate> rivals;
    std::vector<RankedCandidate> earlierCopies;
    for (std::size_t i = std::size_t(first.value()) + 1; i < ranked.size(); ++i) {
        const RankedCandidate& other = ranked[i];
        if (sameFinger(winner.position, other.position)) {
            if (other.position < winner.position) {
                earlierCopies.push_back(other);
            }
        } else if (other.score >= winner.score - kRivalMargin) {
            rivals.push_back(other);
        }
    }
    if (!rivals.empty()) {
        auto rival = firstAccepted(rivals);
        if (!rival.ok()) {
            return rival.error();
        }
        if (rival.value() >= 0) {
            return MatchChoice{std::nullopt, winner, rivals[std::size_t(rival.value())]};
        }
    }
    if (earlierCopies.empty()) {
        return MatchChoice{winner};
    }
    std::sort(
        earlierCopies.begin(), earlierCopies.end(),
        [](const RankedCandidate& a, const RankedCandidate& b) { return a.position < b.position; });
    auto copy = firstAccepted(earlierCopies);
    if (!copy.ok()) {
        return copy.error();
    }
    return MatchChoice{copy.value() >= 0 ? earlierCopies[std::size_t(copy.value())] : winner};
}

} // namespace orvalen::biometrics
