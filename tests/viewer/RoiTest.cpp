#include <gtest/gtest.h>

#include <vector>

#include "Errors.h"
#include "RoiBlock.h"
#include "RoiFrame.h"

namespace {

TEST(RoiFrame, BoundsAndFrameFromTheEdits)
{
    const viewer::Rect bounds = viewer::RoiBoundsFromEdits(64, 64, 64, 64);
    EXPECT_EQ(bounds, (viewer::Rect{32, 32, 95, 95}));
    EXPECT_EQ(viewer::RoiBoundsFromEdits(10, 10, 3, 5), (viewer::Rect{9, 8, 11, 12}));
    EXPECT_EQ(viewer::RoiBoundsFromEdits(-1, 0, -3, 2), (viewer::Rect{0, -1, -4, 0}));  // div truncates toward 0
    EXPECT_EQ(viewer::RoiFrameFromBounds(bounds, {16, 300, 8, 400}), (viewer::Rect{16, 24, 79, 87}));
}

TEST(RoiFrame, OutlineCountGrowsWithTheBitmapHeight)
{
    const struct {
        long long height, outlines;
    } cases[] = {{0, 0}, {1, 1}, {512, 1}, {513, 2}, {1024, 2}, {4608, 9}, {5120, 11}, {32768, 70}};
    for (const auto& c : cases)
        EXPECT_EQ(viewer::RoiOutlineCount(c.height), c.outlines) << c.height;
}

TEST(RoiFrame, DrawnOutsideTheFrameAndRemovedBySecondToggle)
{
    common::GreyBitmap bmp(40, 40, 100);
    const common::GreyBitmap original = bmp;
    const viewer::Rect frame{10, 10, 20, 20};
    viewer::ToggleRoiFrame(bmp, frame);
    // One outline (c = 1): left/top edge at 9, right/bottom edge at 20.
    EXPECT_EQ(bmp.At(9, 9), 155);
    EXPECT_EQ(bmp.At(10, 9), 100);  // every second pixel
    EXPECT_EQ(bmp.At(11, 9), 155);
    EXPECT_EQ(bmp.At(20, 20), 155);
    EXPECT_EQ(bmp.At(10, 10), 100);  // the frame's own rectangle cancels out
    EXPECT_EQ(bmp.At(15, 15), 100);
    viewer::ToggleRoiFrame(bmp, frame);
    EXPECT_EQ(bmp, original);
}

TEST(RoiFrame, TallBitmapHasMoreOutlines)
{
    common::GreyBitmap bmp(60, 513, 0);
    viewer::ToggleRoiFrame(bmp, {20, 20, 30, 30});
    EXPECT_EQ(bmp.At(18, 18), 255);  // second outline (c = 2)
    EXPECT_EQ(bmp.At(17, 17), 0);
}

std::vector<std::uint8_t> Matrix(int w, int h)
{
    std::vector<std::uint8_t> bytes;
    for (int i = 0; i < w * h; ++i) {
        bytes.push_back(static_cast<std::uint8_t>(i));
        bytes.push_back(static_cast<std::uint8_t>(i >> 8));
    }
    return bytes;
}

TEST(RoiBlock, FromTheBoundsTheEditsPlace)
{
    // Centre 64, 64 and size 64 place columns and rows 32..95, wherever the view is.
    EXPECT_EQ(viewer::RoiBlockOf(viewer::RoiBoundsFromEdits(64, 64, 64, 64)), (viewer::RoiBlock{32, 32, 64, 64}));
    EXPECT_TRUE(viewer::RoiBlockOf({5, 5, 4, 9}).IsEmpty());
}

TEST(RoiBlock, ReadsRowsTopToBottom)
{
    const auto bytes = Matrix(5, 4);
    imageio::PixelSource s{bytes, 0, 5, 4, 2};
    EXPECT_EQ(viewer::ReadBlockElements(s, {1, 2, 3, 2}), (std::vector<std::uint16_t>{11, 12, 13, 16, 17, 18}));
    s.bytesPerPixel = 1;  // 8-bit: one byte per sample, widened (bytes 5 and 6 of the words)
    EXPECT_EQ(viewer::ReadBlockElements(s, {0, 1, 2, 1}), (std::vector<std::uint16_t>{0, 3}));
}

TEST(RoiBlock, RefusesBlocksOutsideTheImageOrTheStream)
{
    const auto bytes = Matrix(5, 4);
    imageio::PixelSource s{bytes, 0, 5, 4, 2};
    const viewer::RoiBlock outside[] = {{-1, 0, 2, 2}, {4, 0, 2, 2}, {0, 3, 2, 2}, {0, -5, 1, 1}};
    for (const auto& b : outside) {
        EXPECT_FALSE(viewer::BlockIsReadable(s, b));
        EXPECT_THROW(viewer::ReadBlockElements(s, b), common::InputError);
    }
    EXPECT_THROW(viewer::ReadBlockElements(s, {0, 0, 0, 3}), common::InputError);
    imageio::PixelSource shortStream{std::span(bytes).first(10), 0, 5, 4, 2};  // one row in the file
    EXPECT_TRUE(viewer::BlockIsReadable(shortStream, {0, 0, 5, 1}));
    EXPECT_FALSE(viewer::BlockIsReadable(shortStream, {0, 0, 1, 2}));
    imageio::PixelSource offset{bytes, 2, 5, 4, 2};
    EXPECT_FALSE(viewer::BlockIsReadable(offset, {0, 0, 5, 4}));  // the header pushes the last word out
}

TEST(RoiBlock, ClipKeepsThePartInsideTheImage)
{
    EXPECT_EQ(viewer::ClipToImage({-2, -1, 4, 4}, 5, 4), (viewer::RoiBlock{0, 0, 2, 3}));
    EXPECT_EQ(viewer::ClipToImage({3, 2, 10, 10}, 5, 4), (viewer::RoiBlock{3, 2, 2, 2}));
    EXPECT_FALSE(viewer::ClipToImage({5, 0, 2, 2}, 5, 4).has_value());
    EXPECT_FALSE(viewer::ClipToImage({0, 0, 0, 2}, 5, 4).has_value());
}

} // namespace
