#include <gtest/gtest.h>

#include "NumberText.h"
#include "Rounding.h"

namespace {

struct RealCase {
    double value;
    const char* text;
};

TEST(FloatToStr, GeneralFormatWithFifteenDigits)
{
    const RealCase cases[] = {
        {812, "812"},
        {-812, "-812"},
        {0, "0"},
        {0.39, "0.39"},
        {1.5e-5, "1.5E-5"},
        {1e15, "1E15"},
        {1.25e15, "1.25E15"},
        {999999999999999, "999999999999999"},
        {0.0001, "0.0001"},             // exactly the lower bound of the plain form
        {0.00009999999999999999, "0.0001"},  // rounds up to the bound at 15 digits
        {0.00012345, "0.00012345"},
        {5.00001e-5, "5.00001E-5"},
        {1.0 / 3.0, "0.333333333333333"},
        {2.0 / 3.0, "0.666666666666667"},
        {123456.789, "123456.789"},
        {-2.5, "-2.5"},
        {2.58198889747161, "2.58198889747161"},
        {0.1, "0.1"},
        {9.9999999999999999e14, "1E15"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(common::FloatToStr(c.value), c.text) << c.value;
}

TEST(FloatToStr, SingleShowsItsExactValue)
{
    EXPECT_EQ(common::SingleToStr(0.1f), "0.100000001490116");
    EXPECT_EQ(common::SingleToStr(0.5f), "0.5");
}

TEST(Rounding, HalvesToEvenAndTruncTowardZero)
{
    const struct {
        long double x;
        long long round, trunc;
    } cases[] = {{0.5L, 0, 0}, {1.5L, 2, 1}, {2.5L, 2, 2}, {-0.5L, 0, 0}, {-127.5L, -128, -127}, {-1.7L, -2, -1}, {3.2L, 3, 3}};
    for (const auto& c : cases) {
        EXPECT_EQ(common::Round(c.x), c.round) << static_cast<double>(c.x);
        EXPECT_EQ(common::Trunc(c.x), c.trunc) << static_cast<double>(c.x);
    }
    EXPECT_THROW(common::Trunc(1e30L), common::FloatError);
}

} // namespace
