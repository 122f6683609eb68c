// The automatic window over the central half of the image and the ROI statistics.
#include <gtest/gtest.h>

#include <vector>

#include "AutoWindow.h"
#include "NumberText.h"
#include "RoiStatistics.h"
#include "Words.h"

namespace {

// An 8 x 8 image whose central 4 x 4 (columns and rows 2..5) holds 100 .. 1100 and whose border
// holds values the window must not see.
std::vector<int> CentralHundredToEleven()
{
    std::vector<int> v(64, 30000);
    v[0] = -5;
    for (int r = 2; r < 6; ++r)
        for (int c = 2; c < 6; ++c)
            v[r * 8 + c] = 500;
    v[2 * 8 + 2] = 100;
    v[5 * 8 + 5] = 1100;
    return v;
}

TEST(AutoWindow, LevelAndWidthFromTheCentralHalf)
{
    const auto bytes = Words(CentralHundredToEleven());
    const imageio::PixelSource source{bytes, 0, 8, 8, 2};
    const struct {
        int offset;
        int level, width;
    } cases[] = {{0, 600, 999}, {-1024, -424, 999}};
    for (const auto& c : cases) {
        const auto w = viewer::ComputeAutoWindow(source, {false, c.offset});
        ASSERT_TRUE(w.has_value());
        EXPECT_EQ(*w, (viewer::AutoWindowResult{c.level, c.width})) << c.offset;
    }
}

TEST(AutoWindow, SampleRuleSwapOffsetAndEightBit)
{
    // A 4 x 4 image scans its 2 x 2 centre (columns and rows 1..2).
    std::vector<int> v(16, 0);
    v[5] = v[6] = v[9] = 0x0201;  // bytes 01 02
    v[10] = 0x0202;
    auto bytes = Words(v);
    imageio::PixelSource source{bytes, 0, 4, 4, 2};
    EXPECT_EQ(viewer::ComputeAutoWindow(source, {false, 0}), (viewer::AutoWindowResult{513, 1}));   // 513..514
    EXPECT_EQ(viewer::ComputeAutoWindow(source, {true, 0}), (viewer::AutoWindowResult{386, 255})); // 258..514

    v.assign(16, 32767);
    bytes = Words(v);
    source.stream = bytes;
    EXPECT_EQ(viewer::ComputeAutoWindow(source, {false, 1}), (viewer::AutoWindowResult{32768, 1}));  // not wrapped

    // 8-bit: one byte per pixel, scanned by the pixel rule, nothing read past the 16 pixels.
    std::vector<std::uint8_t> eight = {9, 9, 9, 9, 9, 10, 200, 9, 9, 40, 60, 9, 9, 9, 9, 9};
    const imageio::PixelSource small{eight, 0, 4, 4, 1};
    EXPECT_EQ(viewer::ComputeAutoWindow(small, {false, 0}), (viewer::AutoWindowResult{105, 189}));
    // Swapped, a byte v counts as v * 256: 10, 200, 40, 60 -> 2560, -14336, 10240, 15360.
    EXPECT_EQ(viewer::ComputeAutoWindow(small, {true, 0}), (viewer::AutoWindowResult{512, 29695}));
}

TEST(AutoWindow, ScannedRectangleAndTooSmallImages)
{
    // 513 x 513 scans columns and rows 128..383, like 512 x 512.
    std::vector<int> v(513 * 513, 7);
    v[200 * 513 + 384] = 9000;  // just right of the scan
    v[384 * 513 + 200] = 9000;  // just below it
    v[383 * 513 + 383] = 17;    // its last pixel
    auto bytes = Words(v);
    EXPECT_EQ(viewer::ComputeAutoWindow({bytes, 0, 513, 513, 2}, {}), (viewer::AutoWindowResult{12, 9}));

    // Narrower or lower than 4: nothing to scan.
    bytes = Words(std::vector<int>(300, 5));
    EXPECT_FALSE(viewer::ComputeAutoWindow({bytes, 0, 3, 100, 2}, {}).has_value());
    EXPECT_FALSE(viewer::ComputeAutoWindow({bytes, 0, 100, 3, 2}, {}).has_value());
    // A flat centre would give a width of -1, a span of one a width of 0: both give 1.
    EXPECT_EQ(viewer::ComputeAutoWindow({bytes, 0, 10, 10, 2}, {}), (viewer::AutoWindowResult{5, 1}));
    // A matrix bigger than the file reads its missing pixels as zeros, as the picture shows them.
    EXPECT_EQ(viewer::ComputeAutoWindow({bytes, 0, 8, 80, 2}, {}), (viewer::AutoWindowResult{2, 4}));
}

viewer::RoiStatistics Stats(const std::vector<std::uint8_t>& bytes, int w, int h, viewer::RoiBlock block,
                            viewer::SampleRule rule = {}, int bytesPerPixel = 2)
{
    const auto s = viewer::ComputeRoiStatistics({bytes, 0, w, h, bytesPerPixel}, block, rule);
    EXPECT_TRUE(s.has_value());
    return s.value_or(viewer::RoiStatistics{});
}

TEST(RoiStatistics, MeanPopulationDeviationAndExtremes)
{
    // A 5 x 4 image with 1..9 in the 3 x 3 block at column 1, row 1.
    std::vector<int> v(20, 1000);
    for (int i = 0; i < 9; ++i)
        v[(1 + i / 3) * 5 + 1 + i % 3] = i + 1;
    const auto bytes = Words(v);
    viewer::RoiStatistics s = Stats(bytes, 5, 4, {1, 1, 3, 3});
    EXPECT_EQ(common::FloatToStr(s.mean), "5");
    EXPECT_EQ(common::FloatToStr(s.sd), "2.58198889747161");
    EXPECT_EQ(s.max, 9);
    EXPECT_EQ(s.min, 1);

    s = Stats(bytes, 5, 4, {2, 2, 1, 1});  // one sample
    EXPECT_EQ(s.mean, 5);
    EXPECT_EQ(s.sd, 0);
    EXPECT_EQ(s.max, 5);
    EXPECT_EQ(s.min, 5);

    s = Stats(bytes, 5, 4, {4, 0, 1, 4}, {false, -1000});  // all 1000, offset -1000
    EXPECT_EQ(s.max, 0);
    EXPECT_EQ(s.min, 0);
    EXPECT_EQ(s.sd, 0);
    EXPECT_EQ(common::FloatToStr(s.mean), "0");
}

TEST(RoiStatistics, BlocksReachingOutsideTheImage)
{
    std::vector<int> v(16);
    for (int i = 0; i < 16; ++i)
        v[i] = i;
    const auto bytes = Words(v);
    // Only columns 0..1 and rows 0..1 lie inside: 0, 1, 4, 5.
    viewer::RoiStatistics s = Stats(bytes, 4, 4, {-2, -1, 4, 3});
    EXPECT_EQ(s.mean, 2.5);
    EXPECT_EQ(s.max, 5);
    EXPECT_EQ(s.min, 0);
    s = Stats(bytes, 4, 4, {-100, -100, 2048, 2048});  // the whole image
    EXPECT_EQ(s.mean, 7.5);
    const viewer::RoiBlock none[] = {{4, 0, 2, 2}, {0, -3, 2, 3}, {1, 1, 0, 2}, {1, 1, 3, -1}};
    for (const auto& b : none)
        EXPECT_FALSE(viewer::ComputeRoiStatistics({bytes, 0, 4, 4, 2}, b, {}).has_value());
}

TEST(RoiStatistics, EightBitPixels)
{
    const std::vector<std::uint8_t> bytes = {1, 2, 3, 4, 5, 6};  // 3 x 2
    const viewer::RoiStatistics s = Stats(bytes, 3, 2, {0, 0, 3, 2}, {}, 1);
    EXPECT_EQ(s.mean, 3.5);
    EXPECT_EQ(s.max, 6);
    EXPECT_EQ(s.min, 1);
    EXPECT_EQ(Stats(bytes, 3, 2, {2, 1, 1, 1}, {true, 0}, 1).max, 6 * 256);
}

} // namespace
