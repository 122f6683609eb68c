#include <gtest/gtest.h>

#include "Canvas.h"
#include "TextTable.h"

namespace {

common::GreyBitmap Gradient(int w, int h)
{
    common::GreyBitmap b(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            b.At(x, y) = static_cast<std::uint8_t>(x * 7 + y * 13);
    return b;
}

TEST(FocusRect, InvertsEverySecondEdgePixel)
{
    common::GreyBitmap b(8, 6, 10);
    common::ToggleFocusRect(b, 1, 1, 6, 5);  // edges at columns 1 and 5, rows 1 and 4
    int inverted = 0;
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 8; ++x) {
            const bool onEdge = (x >= 1 && x <= 5 && (y == 1 || y == 4)) || (y >= 1 && y <= 4 && (x == 1 || x == 5));
            const bool expected = onEdge && (x + y) % 2 == 0;
            EXPECT_EQ(b.At(x, y), expected ? 245 : 10) << x << "," << y;
            inverted += expected;
        }
    EXPECT_GT(inverted, 0);
}

TEST(FocusRect, TwoTogglesRestoreEvenWhenClipped)
{
    const common::GreyBitmap original = Gradient(20, 16);
    const int rects[][4] = {{2, 3, 10, 9}, {-5, -5, 30, 30}, {4, 4, 5, 5}, {3, 3, 4, 12}, {-2000000000, 0, 2000000000, 8}};
    for (const auto& r : rects) {
        common::GreyBitmap b = original;
        common::ToggleFocusRect(b, r[0], r[1], r[2], r[3]);
        common::ToggleFocusRect(b, r[0], r[1], r[2], r[3]);
        EXPECT_EQ(b, original) << r[0] << " " << r[1] << " " << r[2] << " " << r[3];
    }
}

TEST(InvertLine, TogglesTheLineAndRestores)
{
    const common::GreyBitmap original = Gradient(10, 10);
    common::GreyBitmap b = original;
    common::InvertLine(b, 0, 0, 9, 9);
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(b.At(i, i), 255 - original.At(i, i));
    EXPECT_EQ(b.At(9, 9), original.At(9, 9));  // end point excluded
    common::InvertLine(b, 0, 0, 9, 9);
    EXPECT_EQ(b, original);
}

TEST(GreyBitmap, ResizeKeepsTheOverlap)
{
    common::GreyBitmap b = Gradient(4, 3);
    const common::GreyBitmap before = b;
    b.Resize(6, 2);
    EXPECT_EQ(b.At(3, 1), before.At(3, 1));
    EXPECT_EQ(b.At(5, 1), 0);
}

TEST(TextTable, TabsAndCrLfOnEveryLine)
{
    EXPECT_EQ(common::TextTable({{"a", "b"}, {"1"}}), "a\tb\r\n1\r\n");
}

} // namespace
