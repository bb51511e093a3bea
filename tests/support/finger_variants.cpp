#include "support/finger_variants.h"

#include <algorithm>
#include <cmath>
#include <random>

namespace orvalen::test {

namespace {

constexpr int kBackground = 255;

using biometrics::FingerImage;

int pixelAt(const FingerImage& image, int x, int y) {
    if (x < 0 || y < 0 || x >= image.width || y >= image.height) {
        return kBackground;
    }
    return uchar(image.pixels[std::size_t(y) * std::size_t(image.width) + std::size_t(x)]);
}

// Each pixel of the result from the value `source` gives for its place.
template <typename Source> FingerImage remapped(const FingerImage& image, Source source) {
    FingerImage result = image;
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            result.pixels[std::size_t(y) * std::size_t(image.width) + std::size_t(x)] =
                char(std::clamp(int(std::lround(source(x, y))), 0, 255));
        }
    }
    return result;
}

} // namespace

FingerImage turned(const FingerImage& image, double degrees) {
    const double angle = degrees * M_PI / 180.0;
    const double cosine = std::cos(angle);
    const double sine = std::sin(angle);
    const double cx = (image.width - 1) / 2.0;
    const double cy = (image.height - 1) / 2.0;
    return remapped(image, [&](int x, int y) {
        // Where the pixel came from, read between the four pixels around it.
        const double sx = cosine * (x - cx) + sine * (y - cy) + cx;
        const double sy = -sine * (x - cx) + cosine * (y - cy) + cy;
        const int x0 = int(std::floor(sx));
        const int y0 = int(std::floor(sy));
        const double fx = sx - x0;
        const double fy = sy - y0;
        return (1 - fy) * ((1 - fx) * pixelAt(image, x0, y0) + fx * pixelAt(image, x0 + 1, y0)) +
               fy * ((1 - fx) * pixelAt(image, x0, y0 + 1) + fx * pixelAt(image, x0 + 1, y0 + 1));
    });
}

FingerImage croppedTo(const FingerImage& image, double share) {
    const int keepWidth = int(image.width * share);
    const int keepHeight = int(image.height * share);
    const int left = (image.width - keepWidth) / 2;
    const int top = (image.height - keepHeight) / 2;
    return remapped(image, [&](int x, int y) {
        const bool inside = x >= left && x < left + keepWidth && y >= top && y < top + keepHeight;
        return inside ? pixelAt(image, x, y) : kBackground;
    });
}

FingerImage shifted(const FingerImage& image, int dx, int dy) {
    return remapped(image, [&](int x, int y) { return pixelAt(image, x - dx, y - dy); });
}

FingerImage withNoise(const FingerImage& image, double sigma, unsigned seed) {
    std::mt19937 random(seed);
    std::normal_distribution<double> noise(0.0, sigma);
    return remapped(image, [&](int x, int y) { return pixelAt(image, x, y) + noise(random); });
}

FingerImage darker(const FingerImage& image, double factor) {
    return remapped(image, [&](int x, int y) { return pixelAt(image, x, y) * factor; });
}

FingerImage lighter(const FingerImage& image, double factor) {
    return remapped(image,
                    [&](int x, int y) { return 255 - (255 - pixelAt(image, x, y)) * factor; });
}

FingerImage mirrored(const FingerImage& image) {
    return remapped(image, [&](int x, int y) { return pixelAt(image, image.width - 1 - x, y); });
}

std::vector<Presentation> presentationsOf(const FingerImage& second) {
    std::vector<Presentation> result;
    for (int degrees = -40; degrees <= 40; degrees += 10) {
        result.push_back({"turned " + std::to_string(degrees), turned(second, degrees)});
    }
    result.push_back({"cropped to 70%", croppedTo(second, 0.7)});
    result.push_back({"noisy", withNoise(second, 20.0, 7)});
    result.push_back({"shifted", shifted(second, 24, -16)});
    result.push_back({"darker", darker(second, 0.6)});
    result.push_back({"lighter", lighter(second, 0.6)});
    return result;
}

} // namespace orvalen::test
