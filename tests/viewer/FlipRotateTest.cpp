// Flips of the whole matrix and quarter turns of the viewed square, in place.
#include <gtest/gtest.h>

#include <numeric>
#include <vector>

#include "Errors.h"
#include "FlipRotate.h"
#include "Words.h"

namespace {

std::vector<int> Iota(int n, int first = 1)
{
    std::vector<int> v(static_cast<std::size_t>(n));
    std::iota(v.begin(), v.end(), first);
    return v;
}

viewer::PixelMatrix Matrix(std::vector<std::uint8_t>& bytes, int w, int h, long long header = 0, int bpp = 2)
{
    return {bytes, header, w, h, bpp};
}

TEST(Rotate, ThreeByThreeBothWays)
{
    const struct {
        bool clockwise;
        std::vector<int> after;
    } cases[] = {{true, {7, 4, 1, 8, 5, 2, 9, 6, 3}}, {false, {3, 6, 9, 2, 5, 8, 1, 4, 7}}};
    for (const auto& c : cases) {
        auto bytes = Words(Iota(9));
        viewer::RotateViewBlock(Matrix(bytes, 3, 3), {0, 2, 0, 2}, c.clockwise);
        EXPECT_EQ(bytes, Words(c.after)) << c.clockwise;
    }
}

TEST(Rotate, OnlyTheViewedSquareTurnsAndFourTurnsRestore)
{
    // A 5 x 5 image zoomed to its inner 3 x 3: the border stays.
    auto bytes = Words(Iota(25, 0));
    viewer::RotateViewBlock(Matrix(bytes, 5, 5), {1, 3, 1, 3}, true);
    std::vector<int> expected = Iota(25, 0);
    const int inner[9] = {16, 11, 6, 17, 12, 7, 18, 13, 8};
    for (int i = 0; i < 9; ++i)
        expected[(1 + i / 3) * 5 + 1 + i % 3] = inner[i];
    EXPECT_EQ(bytes, Words(expected));

    for (int side : {2, 4, 6, 7}) {
        const auto original = Words(Iota(side * side, 100));
        auto turned = original;
        const viewer::ViewBounds all{0, side - 1, 0, side - 1};
        viewer::RotateViewBlock(Matrix(turned, side, side), all, true);
        EXPECT_NE(turned, original);
        viewer::RotateViewBlock(Matrix(turned, side, side), all, false);
        EXPECT_EQ(turned, original) << side;
        for (int k = 0; k < 4; ++k)
            viewer::RotateViewBlock(Matrix(turned, side, side), all, true);
        EXPECT_EQ(turned, original) << side;
    }
}

TEST(Rotate, RefusesBlocksItCannotTurn)
{
    const viewer::ViewBounds refused[] = {
        {0, 3, 0, 1},    // not square (a portrait view at magnification 1)
        {-1, 2, -1, 2},  // starts before the image
        {2, 5, 0, 3},    // reaches past the right edge
        {0, 3, 1, 4},    // past the bottom edge
    };
    for (const auto& view : refused) {
        auto bytes = Words(Iota(16));
        const auto before = bytes;
        try {
            viewer::RotateViewBlock(Matrix(bytes, 4, 4), view, true);
            ADD_FAILURE() << view.FirstColumn;
        } catch (const common::InputError& e) {
            EXPECT_STREQ(e.what(), viewer::kRotateBlockMessage);
        }
        EXPECT_EQ(bytes, before);
    }
}

TEST(Flip, VerticalAndHorizontalOnOddSizes)
{
    auto bytes = Words(Iota(12));  // 4 x 3
    viewer::FlipVertical(Matrix(bytes, 4, 3));
    EXPECT_EQ(bytes, Words({9, 10, 11, 12, 5, 6, 7, 8, 1, 2, 3, 4}));

    bytes = Words(Iota(10));  // 5 x 2
    viewer::FlipHorizontal(Matrix(bytes, 5, 2));
    EXPECT_EQ(bytes, Words({5, 4, 3, 2, 1, 10, 9, 8, 7, 6}));
    viewer::FlipHorizontal(Matrix(bytes, 5, 2));
    EXPECT_EQ(bytes, Words(Iota(10)));
}

TEST(Flip, HeaderOffsetsAndEightBitPixels)
{
    // An odd offset of 1: the words start at byte 0, one byte before the pixels that rendering reads.
    std::vector<std::uint8_t> bytes = {1, 2, 3, 4, 5};
    viewer::FlipHorizontal(Matrix(bytes, 2, 1, 1));
    EXPECT_EQ(bytes, (std::vector<std::uint8_t>{3, 4, 1, 2, 5}));
    // An even offset skips the header untouched.
    bytes = Words({1, 2, 3}, 2);
    viewer::FlipHorizontal(Matrix(bytes, 3, 1, 2));
    EXPECT_EQ(bytes, Words({3, 2, 1}, 2));
    // 8-bit: bytes move, at the header offset, and nothing past the 3 x 2 pixels.
    bytes = {0xEE, 1, 2, 3, 4, 5, 6, 0xEF};
    viewer::FlipVertical(Matrix(bytes, 3, 2, 1, 1));
    EXPECT_EQ(bytes, (std::vector<std::uint8_t>{0xEE, 4, 5, 6, 1, 2, 3, 0xEF}));
    viewer::RotateViewBlock(Matrix(bytes, 3, 2, 1, 1), {1, 2, 0, 1}, true);
    EXPECT_EQ(bytes, (std::vector<std::uint8_t>{0xEE, 4, 2, 5, 1, 3, 6, 0xEF}));
}

TEST(Flip, RefusesAMatrixLargerThanTheData)
{
    const struct {
        std::size_t bytes;
        int w, h;
        long long header;
        int bpp;
    } cases[] = {
        {31, 4, 4, 0, 2},   // one byte short
        {32, 4, 4, 2, 2},   // the header pushes the last word out
        {32, 4, 4, -2, 2},  // a negative offset
        {15, 4, 4, 0, 1},
        {0, 1, 1, 0, 2},    // nothing loaded
        {64, -4, 4, 0, 2},
    };
    for (const auto& c : cases) {
        std::vector<std::uint8_t> bytes(c.bytes, 7);
        for (auto op : {viewer::FlipVertical, viewer::FlipHorizontal}) {
            try {
                op(Matrix(bytes, c.w, c.h, c.header, c.bpp));
                ADD_FAILURE() << c.bytes;
            } catch (const common::InputError& e) {
                EXPECT_STREQ(e.what(), viewer::kMatrixExceedsDataMessage);
            }
        }
        EXPECT_THROW(viewer::RotateViewBlock(Matrix(bytes, c.w, c.h, c.header, c.bpp), {0, 0, 0, 0}, true),
                     common::InputError);
        EXPECT_EQ(bytes, std::vector<std::uint8_t>(c.bytes, 7));
    }
    // Exactly enough data is fine, and so is a zero-sized matrix.
    std::vector<std::uint8_t> exact(32, 1);
    EXPECT_NO_THROW(viewer::FlipVertical(Matrix(exact, 4, 4)));
    EXPECT_NO_THROW(viewer::FlipVertical(Matrix(exact, 0, 0)));
}

} // namespace
