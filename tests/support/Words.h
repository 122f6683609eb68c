#pragma once
// Test images as bytes: 16-bit little-endian words, after `leading` header bytes of 0xEE.
#include <cstdint>
#include <vector>

inline std::vector<std::uint8_t> Words(const std::vector<int>& values, std::size_t leading = 0)
{
    std::vector<std::uint8_t> bytes(leading, 0xEE);
    for (int v : values) {
        bytes.push_back(static_cast<std::uint8_t>(v & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
    }
    return bytes;
}
