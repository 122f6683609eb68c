#pragma once
// The level/width window as a lookup table from stored element to grey byte, built once per
// render.
#include <array>
#include <cstdint>
#include <vector>

namespace viewer {

struct WindowParams {
    std::int32_t level = 0;
    std::int32_t width = 0;
    std::int32_t valueOffset = 0;
    bool swap = false;
    bool invert = false;
};

// The factor 256 / width in single precision; raises the division error for a width of 0.
float WindowFactor(std::int32_t width);

// Grey byte of a renderer value t = v + offset - level: Round(t * f) + 128 clamped to 0..255.
std::uint8_t WindowedGrey(std::int32_t t, float factor, bool invert);

// t = v + offset - level for a stored element, in wrapping 32-bit arithmetic.
std::int32_t WindowInput(std::uint16_t element, const WindowParams& params);

// Table over every stored element: 256 entries for 8-bit pixels, 65536 for 16-bit words.
std::vector<std::uint8_t> BuildWindowTable(const WindowParams& params, int bytesPerPixel);

} // namespace viewer
