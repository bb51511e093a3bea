#pragma once

#include "biometrics/finger_image.h"

#include <string>
#include <vector>

namespace orvalen::test {

// A finger placed again as readers see it in use: turned, partly on the glass, moved, pressed
// harder or lighter, on a noisy sensor. The picture keeps its size; what leaves it is lost and
// what comes in is background.
biometrics::FingerImage turned(const biometrics::FingerImage& image, double degrees);
biometrics::FingerImage croppedTo(const biometrics::FingerImage& image, double share);
biometrics::FingerImage shifted(const biometrics::FingerImage& image, int dx, int dy);
biometrics::FingerImage withNoise(const biometrics::FingerImage& image, double sigma,
                                  unsigned seed);
// Ridges and valleys pulled towards black (`factor` below 1 darkens) or towards white.
biometrics::FingerImage darker(const biometrics::FingerImage& image, double factor);
biometrics::FingerImage lighter(const biometrics::FingerImage& image, double factor);
// A finger nobody enrolled: the picture seen in a mirror.
biometrics::FingerImage mirrored(const biometrics::FingerImage& image);

// One presentation of a sample's second image, named for the test's output.
struct Presentation {
    std::string name;
    biometrics::FingerImage image;
};
// The second presentation turned -40 to +40 degrees in steps of 10, cropped to 70 %, with
// noise, shifted, darker and lighter.
std::vector<Presentation> presentationsOf(const biometrics::FingerImage& second);

} // namespace orvalen::test
