#pragma once

#include "app/tool/bench_figures.h"
#include "store/result.h"

#include <QString>

namespace orvalen::tool {

struct FingerprintBenchOptions {
    QString folder;
    // Stored fingers searched. A search of the whole gallery costs about 9 ms a finger with
    // today's matcher, so the default keeps a run short; --fingers 10000 measures the club.
    int enrolled = 1000;
    int repeats = 20; // identifications timed, on an idle machine and again with one core busy
};

// Fingerprint identification as the terminal does it: the stored templates read and decoded
// as at start-up (the template load), then a capture of the sample finger "whorl_rot" searched
// for through the gallery. The stored "whorl" is placed last among the fingers searched, so
// that the search goes through all of them. The searches are timed twice: as they come, and
// while another process keeps one processor core busy (as a club PC running other software
// does); the median and the 95th percentile are kept. Without the fingerprint library the
// figure is left unmeasured and the reason noted.
store::Status measureFingerprint(const FingerprintBenchOptions& options, BenchFigures& figures);

} // namespace orvalen::tool
