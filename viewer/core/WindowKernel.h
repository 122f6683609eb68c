#pragma once
// The window map computed directly on rows of 16-bit words with AVX2, for the renderer's hot
// loop. It gives exactly the bytes of WindowedGrey: the products are formed exactly in double
// precision and rounded half to even.
#include <cstdint>

#include "WindowMap.h"

namespace viewer {

// True when this processor has AVX2 and the window's offsets keep every t = v + offset -
// level within the range where the vector path is exact.
bool WindowKernelUsable(const WindowParams& params);

// Grey bytes of `count` little-endian 16-bit words at `words`. Only call when WindowKernelUsable.
// Runs the AVX-512 build where the processor has AVX512F and AVX512BW, the AVX2 one otherwise.
void WindowWords(const std::uint8_t* words, long long count, const WindowParams& params, float factor,
                 std::uint8_t* out);

// The two builds on their own (the same bytes): AVX2, and AVX-512 only where
// WindowWordsAvx512Usable().
void WindowWordsAvx2(const std::uint8_t* words, long long count, const WindowParams& params, float factor,
                     std::uint8_t* out);
bool WindowWordsAvx512Usable();
void WindowWordsAvx512(const std::uint8_t* words, long long count, const WindowParams& params, float factor,
                       std::uint8_t* out);

} // namespace viewer
