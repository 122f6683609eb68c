#include <gtest/gtest.h>

#include "PixelWords.h"

namespace {

using imageio::SampleLayout;

std::vector<std::uint8_t> Le(const std::vector<std::uint32_t>& values, int bytes)
{
    std::vector<std::uint8_t> out;
    for (std::uint32_t v : values)
        for (int i = 0; i < bytes; ++i)
            out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
    return out;
}

// Shown value of each word: read as signed 16-bit, plus the shift the offset carries.
std::vector<int> Shown(const imageio::Words16& w)
{
    std::vector<int> out;
    for (std::uint16_t word : w.words)
        out.push_back(static_cast<std::int16_t>(word) + w.valueShift);
    return out;
}

SampleLayout Gray(int allocated, int stored, bool isSigned, long long count)
{
    SampleLayout l;
    l.columns = count;
    l.rows = 1;
    l.bitsAllocated = allocated;
    l.bitsStored = stored;
    l.isSigned = isSigned;
    return l;
}

TEST(PixelWords, StoredValuesBecomeTheShownValues)
{
    const struct {
        const char* what;
        SampleLayout layout;
        std::vector<std::uint32_t> raw;
        std::vector<int> shown;
        int shift;
    } cases[] = {
        {"8-bit unsigned", Gray(8, 8, false, 3), {0, 128, 255}, {0, 128, 255}, 0},
        {"8-bit signed", Gray(8, 8, true, 3), {0x7F, 0x80, 0xFF}, {127, -128, -1}, 0},
        {"12-bit unsigned, overlay bit above Bits Stored", Gray(16, 12, false, 2), {0x1FFF, 0x0800}, {4095, 2048}, 0},
        {"12-bit signed sign-extends", Gray(16, 12, true, 3), {0x0FFF, 0x0800, 0x07FF}, {-1, -2048, 2047}, 0},
        {"16-bit signed", Gray(16, 16, true, 2), {0x8000, 0x7FFF}, {-32768, 32767}, 0},
        {"16-bit unsigned up to 32767 unshifted", Gray(16, 16, false, 2), {0, 32767}, {0, 32767}, 0},
        {"16-bit unsigned above 32767 shift", Gray(16, 16, false, 3), {0, 40000, 65535}, {0, 40000, 65535}, 32768},
        {"32-bit signed within 16 bits", Gray(32, 32, true, 2), {0xFFFFFF00u, 300}, {-256, 300}, 0},
        {"32-bit unsigned within 16 bits", Gray(32, 32, false, 2), {65535, 7}, {65535, 7}, 32768},
    };
    for (const auto& c : cases) {
        const imageio::Words16 w = imageio::ToWords16(Le(c.raw, c.layout.bitsAllocated / 8), c.layout);
        EXPECT_EQ(Shown(w), c.shown) << c.what;
        EXPECT_EQ(w.valueShift, c.shift) << c.what;
    }
}

TEST(PixelWords, WiderThirtyTwoBitValuesAreDividedNotWrapped)
{
    const struct {
        const char* what;
        SampleLayout layout;
        std::vector<std::uint32_t> raw;
        std::vector<int> shown;
        int scaleBits;
        int shift;
    } cases[] = {
        {"unsigned 0 .. 70000", Gray(32, 32, false, 2), {0, 70000}, {0, 35000}, 1, 32768},
        {"signed -65536 .. 40000", Gray(32, 32, true, 2), {0xFFFF0000u, 40000}, {-32768, 20000}, 1, 0},
        {"a dose grid far above zero", Gray(32, 32, false, 2), {795000, 1254000}, {99375, 156750}, 3, 124928},
        {"full unsigned range", Gray(32, 32, false, 2), {0, 0xFFFFFFFFu}, {0, 65535}, 16, 32768},
    };
    for (const auto& c : cases) {
        const imageio::Words16 w = imageio::ToWords16(Le(c.raw, 4), c.layout);
        EXPECT_EQ(Shown(w), c.shown) << c.what;
        EXPECT_EQ(w.scaleBits, c.scaleBits) << c.what;
        EXPECT_EQ(w.valueShift, c.shift) << c.what;
    }
}

TEST(PixelWords, ColourBecomesLuminance)
{
    SampleLayout rgb = Gray(8, 8, false, 2);
    rgb.samplesPerPixel = 3;
    // Pixel 1 pure red, pixel 2 white; interleaved, then the same as planes.
    const std::vector<std::uint32_t> interleaved = {255, 0, 0, 255, 255, 255};
    EXPECT_EQ(Shown(imageio::ToWords16(Le(interleaved, 1), rgb)), (std::vector<int>{76, 255}));
    SampleLayout planar = rgb;
    planar.planar = true;
    const std::vector<std::uint32_t> planes = {255, 255, 0, 255, 0, 255};
    EXPECT_EQ(Shown(imageio::ToWords16(Le(planes, 1), planar)), (std::vector<int>{76, 255}));
    SampleLayout ybr = rgb;
    ybr.ybr = true;
    EXPECT_EQ(Shown(imageio::ToWords16(Le({81, 90, 240, 235, 128, 128}, 1), ybr)), (std::vector<int>{81, 235}));
    // RGB that a codec made from a YBR_RCT file: the file's own Y, floor((R + 2G + B) / 4), not the
    // weighted sum (red: 63 against 76; a grey 10, 11, 12: 11 against 10.8 rounded to 11).
    SampleLayout reversible = rgb;
    reversible.reversible = true;
    EXPECT_EQ(Shown(imageio::ToWords16(Le({255, 0, 0, 10, 11, 12}, 1), reversible)), (std::vector<int>{63, 11}));
}

} // namespace
