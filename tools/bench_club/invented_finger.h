#pragma once

#include "biometrics/finger_template.h"

#include <random>

namespace orvalen::bench {

// Minutiae of an invented finger, for galleries of many enrolled fingers that none of the
// sample fingers matches (the large club's, the accuracy tests'): 30 to 90 minutiae on a 256 by 240
// reader, their directions following a smooth ridge flow (as a real finger's do) turned at random,
// half of them reversed as bifurcations and endings are, each a few degrees off the flow.
biometrics::Minutiae inventedFinger(std::mt19937& random);

} // namespace orvalen::bench
