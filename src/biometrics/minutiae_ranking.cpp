#include "biometrics/minutiae_ranking.h"

#include <algorithm>
#include <cmath>
#include <thread>

namespace orvalen::biometrics {

namespace {

// The matcher gives directions in 32 steps; a turn is voted in the step the two directions
// differ by and its two neighbours, since each direction is itself rounded to a step.
constexpr int kDirections = 32;
constexpr double kDirectionStep = 360.0 / kDirections;
// Turns voted: 45 degrees each way are 4 steps.
constexpr int kTurnSteps = 4;
constexpr int kTurns = 2 * kTurnSteps + 1;
// Shifts are voted in cells of 8 pixels, each vote going to the four cells nearest its value,
// so that minutiae up to 8 pixels apart meet. The two centres of the same finger placed again
// lie far closer than the 128 pixels kept.
constexpr int kShiftCell = 8;
constexpr int kShiftReach = 128;
constexpr int kShiftCells = 2 * kShiftReach / kShiftCell;

// Ranking a large gallery is shared with a second thread; a small one is not worth starting it.
constexpr std::size_t kSharedFrom = 2000;

int directionStep(int theta) {
    const int step = int(std::lround(theta / kDirectionStep));
    return ((step % kDirections) + kDirections) % kDirections;
}

} // namespace

const std::size_t AlignmentProbe::kVoteCells = std::size_t(kTurns) * kShiftCells * kShiftCells;

RankedMinutiae rankedMinutiae(const Minutiae& minutiae) {
    RankedMinutiae result;
    if (minutiae.empty()) {
        return result;
    }
    long sumX = 0;
    long sumY = 0;
    for (const Minutia& m : minutiae) {
        sumX += m.x;
        sumY += m.y;
    }
    const int cx = int(sumX / long(minutiae.size()));
    const int cy = int(sumY / long(minutiae.size()));
    std::vector<std::pair<int, std::size_t>> byDirection;
    for (std::size_t i = 0; i < minutiae.size(); ++i) {
        byDirection.push_back({directionStep(minutiae[i].theta), i});
    }
    std::sort(byDirection.begin(), byDirection.end());
    std::size_t next = 0;
    for (int direction = 0; direction <= kDirections; ++direction) {
        while (next < byDirection.size() && byDirection[next].first < direction) {
            ++next;
        }
        result.firstOf[std::size_t(direction)] = std::uint16_t(next);
    }
    for (const auto& [direction, i] : byDirection) {
        result.points.push_back(
            {std::int16_t(minutiae[i].x - cx), std::int16_t(minutiae[i].y - cy)});
        result.directions.push_back(std::uint8_t(direction));
    }
    return result;
}

AlignmentProbe::AlignmentProbe(const Minutiae& probe) {
    const RankedMinutiae ranked = rankedMinutiae(probe);
    count_ = int(ranked.points.size());
    directions_ = ranked.directions;
    turned_.resize(std::size_t(kTurns) * count_);
    for (int turn = -kTurnSteps; turn <= kTurnSteps; ++turn) {
        const double angle = turn * kDirectionStep * M_PI / 180.0;
        const double cosine = std::cos(angle);
        const double sine = std::sin(angle);
        for (int i = 0; i < count_; ++i) {
            const RankedMinutiae::Point p = ranked.points[i];
            turned_[std::size_t(turn + kTurnSteps) * count_ + i] = {
                std::int16_t(std::lround(cosine * p.x - sine * p.y)),
                std::int16_t(std::lround(sine * p.x + cosine * p.y))};
        }
    }
}

int AlignmentProbe::score(const Minutiae& stored) const {
    std::vector<std::uint16_t> votes(kVoteCells);
    return score(rankedMinutiae(stored), votes);
}

int AlignmentProbe::score(const RankedMinutiae& stored, std::vector<std::uint16_t>& votes) const {
    constexpr int kLimit = (kShiftCells - 1) * kShiftCell;
    // Clearing and scanning the whole small table costs less than keeping track of the cells
    // a vote reached.
    std::fill(votes.begin(), votes.end(), std::uint16_t(0));
    std::uint16_t* const cells = votes.data();
    for (int i = 0; i < count_; ++i) {
        const int probeDirection = directions_[std::size_t(i)];
        // Stored minutiae whose direction differs by at most one step more than the limit.
        for (int difference = -kTurnSteps - 1; difference <= kTurnSteps + 1; ++difference) {
            const int direction = (probeDirection + difference + kDirections) % kDirections;
            const std::size_t first = stored.firstOf[std::size_t(direction)];
            const std::size_t last = stored.firstOf[std::size_t(direction) + 1];
            const int lowest = std::max(-kTurnSteps, difference - 1);
            const int highest = std::min(kTurnSteps, difference + 1);
            for (int turn = lowest; turn <= highest; ++turn) {
                const int row = turn + kTurnSteps;
                const RankedMinutiae::Point t = turned_[std::size_t(row) * count_ + i];
                const int offsetX = kShiftReach - kShiftCell / 2 - t.x;
                const int offsetY = kShiftReach - kShiftCell / 2 - t.y;
                for (std::size_t j = first; j < last; ++j) {
                    const unsigned sx = unsigned(stored.points[j].x + offsetX);
                    const unsigned sy = unsigned(stored.points[j].y + offsetY);
                    if (sx >= unsigned(kLimit) || sy >= unsigned(kLimit)) {
                        continue; // negative values wrap above the limit
                    }
                    const unsigned base =
                        (unsigned(row * kShiftCells) + sy / kShiftCell) * unsigned(kShiftCells) +
                        sx / kShiftCell;
                    ++cells[base];
                    ++cells[base + 1];
                    ++cells[base + kShiftCells];
                    ++cells[base + kShiftCells + 1];
                }
            }
        }
    }
    return int(*std::max_element(votes.begin(), votes.end()));
}

void MinutiaeRanking::removeAt(std::size_t position) {
    if (position < stored_.size()) {
        stored_.erase(stored_.begin() + std::ptrdiff_t(position));
    }
}

std::vector<RankedCandidate> MinutiaeRanking::best(const Minutiae& probe, int minimumScore,
                                                   std::size_t count) const {
    const AlignmentProbe aligned(probe);
    std::vector<int> scores(stored_.size());
    const auto scoreRange = [&](std::size_t first, std::size_t last) {
        std::vector<std::uint16_t> votes(AlignmentProbe::kVoteCells);
        for (std::size_t i = first; i < last; ++i) {
            scores[i] = aligned.score(stored_[i], votes);
        }
    };
    if (stored_.size() >= kSharedFrom) {
        const std::size_t half = stored_.size() / 2;
        std::thread helper(scoreRange, half, stored_.size());
        scoreRange(0, half);
        helper.join();
    } else {
        scoreRange(0, stored_.size());
    }
    std::vector<RankedCandidate> candidates;
    for (std::size_t i = 0; i < scores.size(); ++i) {
        if (scores[i] >= minimumScore) {
            candidates.push_back({i, scores[i]});
        }
    }
    const auto kept = std::min(count, candidates.size());
    std::partial_sort(candidates.begin(), candidates.begin() + std::ptrdiff_t(kept),
                      candidates.end(), [](const RankedCandidate& a, const RankedCandidate& b) {
                          return a.score != b.score ? a.score > b.score : a.position < b.position;
                      });
    candidates.resize(kept);
    return candidates;
}

} // namespace orvalen::biometrics
