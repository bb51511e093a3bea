#pragma once

#include "biometrics/minutiae_ranking.h"
#include "store/result.h"

#include <functional>
#include <optional>
#include <vector>

namespace orvalen::biometrics {

// Which of the ranked candidates a finger belongs to.
struct MatchChoice {
    std::optional<RankedCandidate> chosen;
    // Set instead when another finger the matcher accepts scores within kRivalMargin of the best.
    std::optional<RankedCandidate> best;
    std::optional<RankedCandidate> rival;
};

// The place of the first of these candidates, in their order, that the library's matcher
// accepts, or -1.
using FirstAccepted = std::function<store::Result<int>(const std::vector<RankedCandidate>&)>;
// Whether the stored prints at two gallery positions are the same finger.
using SameFinger = std::function<bool(std::size_t, std::size_t)>;

// Among `ranked` (the best first, see MinutiaeRanking::best()) the first the matcher accepts
// wins, unless another finger below it within kRivalMargin is accepted too. The same finger
// stored again at an earlier position (a student row and an employee row) answers for it.
store::Result<MatchChoice> chooseMatch(const std::vector<RankedCandidate>& ranked,
                                       const FirstAccepted& firstAccepted,
                                       const SameFinger& sameFinger);

} // namespace orvalen::biometrics
