#pragma once

#include "bench_club/bench_club.h"

#include <algorithm>

namespace orvalen::bench {

// Reports one step of the generator about a hundred times over its length, and at its end.
class ProgressTicker {
public:
    ProgressTicker(const BenchProgress& progress, QString step, qint64 total)
        : progress_(progress), step_(std::move(step)), total_(total),
          every_(std::max<qint64>(1, total / 100)) {
        report();
    }

    void tick() {
        ++done_;
        if (done_ % every_ == 0 || done_ == total_) {
            report();
        }
    }

private:
    void report() {
        if (progress_) {
            progress_(step_, done_, total_);
        }
    }

    const BenchProgress& progress_;
    QString step_;
    qint64 total_;
    qint64 every_;
    qint64 done_ = 0;
};

} // namespace orvalen::bench
