#include "PixelWords.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <stdexcept>


namespace imageio {

namespace {

std::int64_t Sample(const std::uint8_t* at, int bytes)
{
    std::uint64_t v = 0;
    for (int i = bytes - 1; i >= 0; --i)
        v = (v << 8) | at[i];
    return static_cast<std::int64_t>(v);
}

// The stored value: masked to Bits Stored, sign-extended when signed.
std::int64_t Meaning(std::int64_t raw, const SampleLayout& layout)
{
    const int bits = std::clamp(layout.bitsStored, 1, layout.bitsAllocated);
    const std::uint64_t mask = bits >= 64 ? ~0ULL : (1ULL << bits) - 1;
    std::int64_t v = static_cast<std::int64_t>(static_cast<std::uint64_t>(raw) & mask);
    if (layout.isSigned && (v >> (bits - 1)) & 1)
        v -= static_cast<std::int64_t>(1ULL << bits);
    return v;
}

// Values outside the signed 16-bit range are stored shifted; the shift goes into the value offset.
// 32768 where it serves (unsigned data), else the smallest multiple of 1024 that fits. The span
// high - low is at most 65535 here.
std::int64_t ChooseShift(std::int64_t low, std::int64_t high)
{
    if (high <= 32767 && low >= -32768)
        return 0;
    const std::int64_t least = high - 32767, most = low + 32768;
    std::int64_t shift = 32768;
    if (shift < least || shift > most) {
        shift = (least + 1023) / 1024 * 1024;
        if (shift > most)
            shift = least;
    }
    return shift;
}

// Monochrome 8- and 16-bit samples, the common case, in two tight passes without the general
// path. `in` may be the bytes of `words` themselves: each word is read before it is written.
void Monochrome(const std::uint8_t* in, const SampleLayout& layout, std::size_t count, Words16& out)
{
    const int bits = std::clamp(layout.bitsStored, 1, layout.bitsAllocated);
    const std::uint32_t mask = (1u << bits) - 1;
    const std::uint32_t sign = layout.isSigned ? 1u << (bits - 1) : 0;  // sign extension by xor and subtract
    std::uint16_t* words = out.words.data();
    std::int32_t low = std::numeric_limits<std::int32_t>::max(), high = std::numeric_limits<std::int32_t>::min();
    const bool wide = layout.bitsAllocated == 16;
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint32_t raw = wide ? static_cast<std::uint32_t>(in[2 * i] | (in[2 * i + 1] << 8)) : in[i];
        const std::int32_t v = static_cast<std::int32_t>((raw & mask) ^ sign) - static_cast<std::int32_t>(sign);
        words[i] = static_cast<std::uint16_t>(v);
        low = std::min(low, v);
        high = std::max(high, v);
    }
    out.valueShift = count ? ChooseShift(low, high) : 0;
    if (out.valueShift)
        for (std::size_t i = 0; i < count; ++i)
            words[i] = static_cast<std::uint16_t>(words[i] - static_cast<std::int32_t>(out.valueShift));
}

bool IsPlainMonochrome(const SampleLayout& layout)
{
    return layout.samplesPerPixel == 1 && (layout.bitsAllocated == 8 || layout.bitsAllocated == 16);
}

} // namespace

Words16 ToWords16InPlace(std::vector<std::uint16_t>&& samples, const SampleLayout& layout)
{
    if (layout.samplesPerPixel != 1 || layout.bitsAllocated != 16 || samples.size() * 2 < LayoutBytes(layout))
        throw std::invalid_argument("ToWords16InPlace: not a 16-bit monochrome buffer of the layout's size");
    Words16 out;
    out.words = std::move(samples);
    Monochrome(reinterpret_cast<const std::uint8_t*>(out.words.data()), layout, out.words.size(), out);
    return out;
}

std::uint64_t LayoutBytes(const SampleLayout& layout)
{
    if (layout.columns <= 0 || layout.rows <= 0 || layout.frames <= 0 || layout.columns > 65535 || layout.rows > 65535 ||
        layout.frames > 1000000 ||
        (layout.bitsAllocated != 1 && layout.bitsAllocated != 8 && layout.bitsAllocated != 16 && layout.bitsAllocated != 32) ||
        (layout.samplesPerPixel != 1 && layout.samplesPerPixel != 3) || (layout.bitsAllocated == 1 && layout.samplesPerPixel != 1))
        throw std::invalid_argument("LayoutBytes: unsupported layout");
    const std::uint64_t pixels = static_cast<std::uint64_t>(layout.columns) * static_cast<std::uint64_t>(layout.rows) *
                                 static_cast<std::uint64_t>(layout.frames);
    if (layout.bitsAllocated == 1)
        return (pixels + 7) / 8;
    if (layout.ybr422 && layout.samplesPerPixel == 3)
        return pixels * static_cast<std::uint64_t>(layout.bitsAllocated / 8) * 2;
    return static_cast<std::uint64_t>(layout.columns) * static_cast<std::uint64_t>(layout.rows) *
           static_cast<std::uint64_t>(layout.frames) * static_cast<std::uint64_t>(layout.samplesPerPixel) *
           static_cast<std::uint64_t>(layout.bitsAllocated / 8);
}

Words16 ToWords16(std::span<const std::uint8_t> samples, const SampleLayout& layout)
{
    if (samples.size() < LayoutBytes(layout))
        throw std::invalid_argument("ToWords16: fewer samples than the layout needs");
    const int bytes = std::max(layout.bitsAllocated / 8, 1);
    const std::size_t perFrame = static_cast<std::size_t>(layout.columns * layout.rows);
    const std::size_t count = perFrame * static_cast<std::size_t>(layout.frames);
    const std::size_t frameBytes =
        perFrame * static_cast<std::size_t>((layout.ybr422 ? 2 : layout.samplesPerPixel) * bytes);

    Words16 out;
    if (IsPlainMonochrome(layout)) {
        out.words.resize(count);
        Monochrome(samples.data(), layout, count, out);
        return out;
    }
    std::vector<std::int64_t> values(count);
    std::int64_t low = std::numeric_limits<std::int64_t>::max(), high = std::numeric_limits<std::int64_t>::min();
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t frame = i / perFrame, pixel = i % perFrame;
        const std::uint8_t* base = samples.data() + frame * frameBytes;
        std::int64_t v;
        if (layout.bitsAllocated == 1) {
            v = (samples[i / 8] >> (i % 8)) & 1;
        } else if (layout.ybr422 && layout.samplesPerPixel == 3) {
            // Y0 Y1 Cb Cr: the pixel's own Y is its luminance.
            v = Meaning(Sample(base + ((pixel / 2) * 4 + pixel % 2) * bytes, bytes), layout);
        } else if (layout.samplesPerPixel == 1) {
            v = Meaning(Sample(base + pixel * bytes, bytes), layout);
        } else {
            std::int64_t c[3];
            for (int k = 0; k < 3; ++k) {
                const std::size_t at = layout.planar ? k * perFrame + pixel : pixel * 3 + k;
                c[k] = Meaning(Sample(base + at * bytes, bytes), layout);
            }
            v = layout.ybr          ? c[0]
                : layout.reversible ? (c[0] + 2 * c[1] + c[2]) >> 2
                                    : static_cast<std::int64_t>(std::nearbyint(0.299 * static_cast<double>(c[0]) +
                                                                      0.587 * static_cast<double>(c[1]) +
                                                                      0.114 * static_cast<double>(c[2])));
        }
        low = std::min(low, v);
        high = std::max(high, v);
        values[i] = v;
    }

    if (count == 0)
        return out;
    // Wider than 16 bits (only 32-bit samples can be): divide by the smallest power of two that fits.
    while ((high >> out.scaleBits) - (low >> out.scaleBits) > 65535)
        ++out.scaleBits;
    low >>= out.scaleBits;
    high >>= out.scaleBits;
    out.valueShift = ChooseShift(low, high);
    out.words.resize(count);
    for (std::size_t i = 0; i < count; ++i)
        out.words[i] = static_cast<std::uint16_t>((values[i] >> out.scaleBits) - out.valueShift);
    return out;
}

} // namespace imageio
