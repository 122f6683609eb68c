#pragma once
// Synthetic images for the NPS tests: seeded noise, so every run sees the same pixels.
#include <cstdint>
#include <random>
#include <vector>

#include "Detrend.h"

namespace npstest {

struct Image {
    std::vector<double> values;
    long long width = 0, height = 0;
    nps::PixelView View() const { return {values, width, height}; }
};

inline Image WhiteNoise(long long width, long long height, double sigma, std::uint64_t seed)
{
    std::mt19937_64 engine(seed);
    std::normal_distribution<double> normal(0.0, sigma);
    Image image{std::vector<double>(static_cast<std::size_t>(width * height)), width, height};
    for (double& v : image.values)
        v = normal(engine);
    return image;
}

} // namespace npstest
