#pragma once

#include "biometrics/finger_template.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace orvalen::biometrics {

// A finger's minutiae as the ranking compares them: about their centre, directions in steps
// of 11.25 degrees (the matcher's own), sorted by direction.
struct RankedMinutiae {
    struct Point {
        std::int16_t x;
        std::int16_t y;
    };
    std::vector<Point> points;
    std::vector<std::uint8_t> directions;    // 0 to 31, rising
    std::array<std::uint16_t, 33> firstOf{}; // where each direction starts in `points`
};
RankedMinutiae rankedMinutiae(const Minutiae& minutiae);

// How many minutiae of two fingers line up under one turn and shift: each pair of a probe's
// and a stored finger's minutiae votes for the turns their directions allow and, for each, the
// shift that brings one onto the other; the fullest vote is the score. The same finger placed
// again anywhere on the reader, turned up to kTurnLimit degrees either way, gathers most of the
// minutiae both presentations show (38 to 68 for the sample fingers); a different finger only
// chance coincidences (10 to 30).
class AlignmentProbe {
public:
    explicit AlignmentProbe(const Minutiae& probe);
    int score(const Minutiae& stored) const;
    // `votes` is a scratch area of kVoteCells counters.
    int score(const RankedMinutiae& stored, std::vector<std::uint16_t>& votes) const;

    static const std::size_t kVoteCells;
    // A finger on a reader lies within this turn of its enrolment; pairs turned further are
    // not counted, which keeps the ranking of 10,000 fingers within a fraction of a second.
    static constexpr int kTurnLimit = 45;

private:
    int count_ = 0;
    std::vector<std::uint8_t> directions_;
    std::vector<RankedMinutiae::Point> turned_; // the probe turned by each of 32 steps
};

// A stored finger's position in its gallery and how many minutiae it lines up with a probe.
struct RankedCandidate {
    std::size_t position;
    int score;
    bool operator==(const RankedCandidate&) const = default;
};

// The stored fingers of a gallery, in gallery order, ranked against a probe so that the
// fingerprint library compares only the few that can match.
class MinutiaeRanking {
public:
    void add(const Minutiae& minutiae) { stored_.push_back(rankedMinutiae(minutiae)); }
    void removeAt(std::size_t position);
    void clear() { stored_.clear(); }
    std::size_t size() const { return stored_.size(); }

    // At most `count` stored fingers that line up with the probe in `minimumScore` minutiae or
    // more, the best first (the earlier in gallery order first when two score alike).
    std::vector<RankedCandidate> best(const Minutiae& probe, int minimumScore,
                                      std::size_t count) const;

private:
    std::vector<RankedMinutiae> stored_;
};

} // namespace orvalen::biometrics
