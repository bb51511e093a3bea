#include "bench_club/invented_finger.h"

#include <cmath>

namespace orvalen::bench {

biometrics::Minutiae inventedFinger(std::mt19937& random) {
    std::uniform_int_distribution<int> count(30, 90);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    std::normal_distribution<double> wobble(0.0, 8.0);
    // The flow: a base direction bent by a slow wave and by a swirl about a core.
    const double base = 360.0 * unit(random);
    const double wave = 20.0 + 40.0 * unit(random);
    const double period = 60.0 + 120.0 * unit(random);
    const double coreX = 60.0 + 136.0 * unit(random);
    const double coreY = 60.0 + 120.0 * unit(random);
    const double swirl = unit(random) < 0.5 ? 0.0 : 1.0;
    biometrics::Minutiae minutiae;
    const int n = count(random);
    for (int i = 0; i < n; ++i) {
        const int x = 16 + int(224 * unit(random));
        const int y = 16 + int(208 * unit(random));
        const double flow = base + wave * std::sin(x / period + y / (2 * period)) +
                            swirl * std::atan2(y - coreY, x - coreX) * 180.0 / M_PI;
        const double theta = flow + (unit(random) < 0.5 ? 180.0 : 0.0) + wobble(random);
        const int degrees = ((int(std::lround(theta)) % 360) + 360) % 360;
        minutiae.push_back({x, y, degrees > 180 ? degrees - 360 : degrees});
    }
    return minutiae;
}

} // namespace orvalen::bench
