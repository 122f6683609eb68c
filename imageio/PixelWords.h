#pragma once
// Decoded samples as the viewer's 16-bit words. The viewer reads every word as a signed 16-bit
// value plus the value offset, so:
// - 8-bit and 12-bit samples keep their values; signed samples are sign-extended from Bits Stored,
//   unsigned ones are masked to it (bits above it may hold overlays);
// - values above 32767 are stored shifted, unsigned ones minus 32768, and `valueShift` says by how
//   much; the caller adds it to the value offset, so the rendered values are the stored ones;
// - 32-bit samples whose values span more than 16 bits are divided by the smallest power of two
//   that makes them fit (rounded toward minus infinity), and `scaleBits` says by how much;
// - 1-bit samples (packed across frames) become 0 and 1;
// - colour samples become luminance: the Y sample itself when the pixels are YBR; from RGB,
//   0.299 R + 0.587 G + 0.114 B rounded, or the reversible transform's floor((R + 2G + B) / 4) when
//   the file stated YBR_RCT and the codec undid it.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace imageio {

struct SampleLayout {
    long long columns = 0, rows = 0, frames = 1;
    int bitsAllocated = 16;   // 1, 8, 16 or 32; multi-byte samples little-endian; 1-bit packed low bit first
    int bitsStored = 16;
    bool isSigned = false;
    int samplesPerPixel = 1;  // 1 or 3
    bool planar = false;      // colour planes one after another instead of interleaved
    bool ybr = false;         // the first colour sample is the luminance (the buffer holds YBR)
    bool reversible = false;  // RGB from a YBR_RCT file: its luminance is floor((R + 2G + B) / 4)
    bool ybr422 = false;      // uncompressed YBR_FULL_422: Y Y Cb Cr for each pair of pixels
};

struct Words16 {
    std::vector<std::uint16_t> words;  // frames x rows x columns
    std::int64_t valueShift = 0;       // subtracted from every value; 0 when they fit as they are
    int scaleBits = 0;                 // values were divided by 2^scaleBits
};

// Bytes the layout needs. Raises std::invalid_argument for a layout the caller should have refused.
std::uint64_t LayoutBytes(const SampleLayout& layout);

Words16 ToWords16(std::span<const std::uint8_t> samples, const SampleLayout& layout);

// The same for 16-bit monochrome samples already in the words' memory (bytes little-endian),
// converted where they lie.
Words16 ToWords16InPlace(std::vector<std::uint16_t>&& samples, const SampleLayout& layout);

} // namespace imageio
