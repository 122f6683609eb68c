#pragma once
// Where a pixel lies in the loaded file and how its value is formed.
#include <cstdint>
#include <span>

namespace imageio {

// The loaded file and how its pixel matrix is laid out inside it.
struct PixelSource {
    std::span<const std::uint8_t> stream;
    long long headerOffset = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    int bytesPerPixel = 2;  // 1 for " 8bit", 2 for "16bit" and "DICOM"
};

inline std::uint16_t SwapBytes(std::uint16_t word)
{
    return static_cast<std::uint16_t>((word >> 8) | (word << 8));
}

// The stored element at pixel (column, row) as a 16-bit word (a byte is zero-extended), or 0 when
// the element lies outside the stream: a matrix bigger than its file reads as zeros.
std::uint16_t FetchElement(const PixelSource& source, long long column, long long row);

// Bytes the stated matrix needs from the start of the stream (header offset included); more than
// the stream holds means the file is too small for the matrix.
long long MatrixEndByte(const PixelSource& source);

// The value of a pixel, the one value every consumer sees (picture, automatic window, statistics,
// hand-off, measurements): swap, read as a signed 16-bit word, then the offset added in 32-bit
// arithmetic. Values the file means beyond signed 16 bits reach it as words shifted by a constant
// that the offset adds back, so the sum is not wrapped to 16 bits.
inline std::int32_t SampleValue(std::uint16_t element, bool swap, std::int32_t valueOffset)
{
    const std::uint16_t word = swap ? SwapBytes(element) : element;
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<std::int16_t>(word)) +
                                     static_cast<std::uint32_t>(valueOffset));
}

} // namespace imageio
