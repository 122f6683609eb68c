#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "Errors.h"
#include "FilterExports.h"

namespace {

using filter::View;

std::uint32_t Word(const std::vector<std::uint8_t>& b, std::size_t at, int bytes = 4)
{
    std::uint32_t v = 0;
    for (int i = 0; i < bytes; ++i)
        v |= static_cast<std::uint32_t>(b[at + i]) << (8 * i);
    return v;
}

TEST(FilteredRawFile, LittleEndianSinglesDividedByNSquaredRowByRow)
{
    const int n = 4;
    auto image = std::make_unique<spectrum::SquareMatrix>();
    for (int x = 0; x < n; ++x)
        for (int y = 0; y < n; ++y)
            (*image)[x][y] = 1.0;
    (*image)[1][0] = 32.0;  // row 0, second value
    (*image)[0][1] = -0.8;  // row 1, first value
    const auto bytes = filter::FilteredRawFile(*image, n);
    ASSERT_EQ(bytes.size(), 64u);
    EXPECT_EQ(Word(bytes, 0), 0x3D800000u);   // 1 / 16 = 0.0625
    EXPECT_EQ(Word(bytes, 4), 0x40000000u);   // 32 / 16 = 2
    float second;
    const std::uint32_t w = Word(bytes, 16);
    std::memcpy(&second, &w, 4);
    EXPECT_EQ(second, static_cast<float>(-0.8 / 4 / 4));
}

TEST(BmpFile, EightBitGreyHeaderPaletteAndBottomUpRows)
{
    common::GreyBitmap bitmap(3, 2);
    bitmap.At(0, 0) = 10;  // top-left
    bitmap.At(2, 1) = 200; // bottom-right
    const auto b = filter::BmpFile(bitmap);
    ASSERT_EQ(b.size(), 14u + 40 + 1024 + 2 * 4);
    EXPECT_EQ(b[0], 'B');
    EXPECT_EQ(b[1], 'M');
    EXPECT_EQ(Word(b, 2), b.size());
    EXPECT_EQ(Word(b, 10), 1078u);
    EXPECT_EQ(Word(b, 14), 40u);
    EXPECT_EQ(Word(b, 18), 3u);
    EXPECT_EQ(Word(b, 22), 2u);
    EXPECT_EQ(Word(b, 26, 2), 1u);
    EXPECT_EQ(Word(b, 28, 2), 8u);
    EXPECT_EQ(Word(b, 46), 256u);
    EXPECT_EQ(Word(b, 54 + 4 * 0x7f), 0x007f7f7fu);
    EXPECT_EQ(Word(b, 54 + 4 * 255), 0x00ffffffu);
    EXPECT_EQ(b[1078 + 2], 200);      // bottom row first
    EXPECT_EQ(b[1078 + 3], 0);        // padding
    EXPECT_EQ(b[1078 + 4], 10);
}

TEST(ViewValuesText, SinglePrecisionWithFifteenDigitsAndTheViewRules)
{
    const int n = 2;
    auto m = std::make_unique<spectrum::SquareMatrix>();
    (*m)[0][0] = 0.1;
    (*m)[1][0] = 0.5;
    (*m)[0][1] = 2;
    (*m)[1][1] = -1;
    EXPECT_EQ(filter::ViewValuesText({View::Power, m.get(), 0}, n), "0.100000001490116\t0.5\r\n2\t-1\r\n");
    EXPECT_EQ(filter::ViewValuesText({View::Filtered, m.get(), 2}, n), "0.0500000007450581\t0.25\r\n1\t-0.5\r\n");
    // Filter as the view shows it: gain^2 / FilterMax^2 * 100.
    EXPECT_EQ(filter::ViewValuesText({View::Filter, m.get(), 0.5}, n), "4\t100\r\n1600\t400\r\n");
    // A maximum of 0 or below is refused (a negative one would turn every sign), named.
    const struct {
        View view;
        double max;
        const char* says;
    } refused[] = {{View::Raw, -24, "Raw view's values by its maximum, which is -24 here"},
                   {View::Filtered, 0, "Filtered view's values by its maximum, which is 0 here"},
                   {View::Filter, 0, "Filter view's"},
                   {View::Convolution, -1E-300, "which is -1E-300 here"}};
    for (const auto& r : refused) {
        try {
            filter::ViewValuesText({r.view, m.get(), r.max}, n);
            ADD_FAILURE() << r.says;
        } catch (const common::InputError& e) {
            EXPECT_NE(std::string(e.what()).find(r.says), std::string::npos) << e.what();
        }
    }
    EXPECT_EQ(filter::DoubleValuesText(*m, n), "0.1\t0.5\r\n2\t-1\r\n");
}

} // namespace
