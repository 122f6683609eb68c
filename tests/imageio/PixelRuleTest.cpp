#include <gtest/gtest.h>

#include <vector>

#include "PixelRule.h"

namespace {

TEST(PixelRule, SwapSignAndOffset)
{
    // One value per pixel for every consumer: the signed word plus the offset, never wrapped to 16
    // bits (a shifted unsigned 40000 stored as 7232 with an offset of 32768 reads 40000).
    const struct {
        std::uint16_t element;
        bool swap;
        int offset;
        int value;
    } cases[] = {
        {0x7FFF, false, 0, 32767},       // bytes FF 7F
        {0x7FFF, true, 0, -129},         // swapped: 0xFF7F
        {200, true, 0, -14336},          // an 8-bit 200 swapped becomes 200 * 256
        {200, true, 5, -14331},
        {0x7FFF, false, 1, 32768},       // beyond signed 16 bits, not wrapped
        {0x8000, false, -1, -32769},
        {7232, false, 32768, 40000},     // unsigned 40000 shifted by 32768
        {0xFC18, false, -1024, -2024},   // -1000 with a CT intercept
    };
    for (const auto& c : cases)
        EXPECT_EQ(imageio::SampleValue(c.element, c.swap, c.offset), c.value) << c.element;
}

TEST(PixelRule, FetchFollowsHeaderAndModeAndStopsAtTheStream)
{
    const std::vector<std::uint8_t> bytes = {9, 9, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07};
    imageio::PixelSource s{bytes, 2, 2, 2, 2};
    EXPECT_EQ(imageio::FetchElement(s, 0, 0), 0x0201);
    EXPECT_EQ(imageio::FetchElement(s, 1, 0), 0x0403);
    EXPECT_EQ(imageio::FetchElement(s, 0, 1), 0x0605);
    EXPECT_EQ(imageio::FetchElement(s, 1, 1), 0);  // only one byte of the word is in the file
    s.bytesPerPixel = 1;
    EXPECT_EQ(imageio::FetchElement(s, 1, 1), 0x04);  // byte 2 + 3
    s.headerOffset = -1;
    EXPECT_EQ(imageio::FetchElement(s, 0, 0), 0);
}

} // namespace
