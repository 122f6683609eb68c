// The window table takes a faster route than WindowedGrey for ordinary values; every entry must
// still be the exact rule's grey.
#include <gtest/gtest.h>

#include "PixelRule.h"
#include "WindowMap.h"

namespace {

TEST(WindowTable, EveryEntryIsTheExactRule)
{
    const viewer::WindowParams cases[] = {
        {512, 1024, 0, false, false},       {0, 256, 0, false, true},         {382, 380, -1024, true, false},
        {-7, -3, 5, false, false},          {1000, 1, 0, false, false},       {0, 3, 0, false, false},
        {0, 2147483647, 0, false, false},   {-2147483647 - 1, 7, 0, false, false},
        {1073741824, 100000, 0, true, true}, {536870000, 1000, 1000, false, false},
        {12345, 99991, -32768, true, false}, {-536870911, 65535, 0, false, false}};
    for (const auto& p : cases) {
        for (int bpp : {1, 2}) {
            const auto table = viewer::BuildWindowTable(p, bpp);
            const float f = viewer::WindowFactor(p.width);
            int mismatches = 0;
            for (std::size_t e = 0; e < table.size(); ++e) {
                const std::int32_t v = viewer::RenderValue(static_cast<std::uint16_t>(e), p.swap, p.valueOffset);
                const std::int32_t t =
                    static_cast<std::int32_t>(static_cast<std::uint32_t>(v) - static_cast<std::uint32_t>(p.level));
                mismatches += table[e] != viewer::WindowedGrey(t, f, p.invert);
            }
            EXPECT_EQ(mismatches, 0) << p.level << "/" << p.width << " bpp " << bpp;
        }
    }
}

} // namespace
