#include <gtest/gtest.h>

#include <vector>

#include "Errors.h"
#include "ViewFill.h"
#include "WindowKernel.h"
#include "WindowMap.h"

namespace {

TEST(WindowMap, GreyOfValuesUnderAWindow)
{
    const struct {
        int level, width, value;
        bool invert;
        int grey;
    } cases[] = {
        {512, 1024, 512, false, 128}, {512, 1024, 0, false, 0},    {512, 1024, 1023, false, 255},
        {512, 1024, 2, false, 0},     // Round(-127.5) = -128, half to even
        {512, 1024, 514, false, 128}, // Round(0.5) = 0
        {512, 1024, 518, false, 130}, // Round(1.5) = 2
        {0, 256, -128, false, 0},     {0, 256, 0, false, 128},     {0, 256, 127, false, 255},
        {0, 256, 200, false, 255},    {0, 256, 0, true, 127},      {0, -256, 100, false, 28},
        {0, 3, 1, false, 213},        // f = 85.33333587646484375 in single precision
    };
    for (const auto& c : cases) {
        viewer::WindowParams p{c.level, c.width, 0, false, c.invert};
        const auto table = viewer::BuildWindowTable(p, 2);
        EXPECT_EQ(table[static_cast<std::uint16_t>(c.value)], c.grey)
            << "L" << c.level << " W" << c.width << " v" << c.value;
    }
}

TEST(WindowMap, ZeroWidthIsADivisionError)
{
    EXPECT_THROW(viewer::BuildWindowTable({0, 0, 0, false, false}, 2), common::FloatError);
}

TEST(WindowMap, EightBitTableSwapsAndOffsets)
{
    // 8-bit 200 swapped is -14336; with offset 14336 it sits at the level 0: grey 128.
    const auto table = viewer::BuildWindowTable({0, 256, 14336, true, false}, 1);
    ASSERT_EQ(table.size(), 256u);
    EXPECT_EQ(table[200], 128);
}

std::vector<std::uint8_t> Words(const std::vector<int>& values)
{
    std::vector<std::uint8_t> bytes;
    for (int v : values) {
        bytes.push_back(static_cast<std::uint8_t>(v & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
    }
    return bytes;
}

// Level 128, width 256: grey = value for values 0..255.
const viewer::WindowParams kIdentity{128, 256, 0, false, false};

TEST(FillView, VisiblePixelsInPlace)
{
    // 4 x 3 image holding 10 + index.
    std::vector<int> v;
    for (int i = 0; i < 12; ++i)
        v.push_back(10 + i);
    const auto bytes = Words(v);
    imageio::PixelSource s{bytes, 0, 4, 3, 2};
    common::GreyBitmap bmp(2, 2, 0);
    viewer::FillView(s, {1, 2, 1, 2}, kIdentity, bmp);
    EXPECT_EQ(bmp.At(0, 0), 15);
    EXPECT_EQ(bmp.At(1, 0), 16);
    EXPECT_EQ(bmp.At(0, 1), 19);
    EXPECT_EQ(bmp.At(1, 1), 20);
}

TEST(FillView, ViewBeforeTheImageIsPackedAndUncoveredPixelsKeepTheirBytes)
{
    std::vector<int> v;
    for (int i = 0; i < 4; ++i)
        v.push_back(10 + i);
    const auto bytes = Words(v);
    imageio::PixelSource s{bytes, 0, 2, 2, 2};
    common::GreyBitmap bmp(4, 4, 77);
    viewer::FillView(s, {-1, 2, -1, 2}, kIdentity, bmp);
    EXPECT_EQ(bmp.At(0, 0), 10);
    EXPECT_EQ(bmp.At(1, 0), 11);
    EXPECT_EQ(bmp.At(0, 1), 12);
    EXPECT_EQ(bmp.At(1, 1), 13);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            if (x > 1 || y > 1) {
                EXPECT_EQ(bmp.At(x, y), 77) << x << "," << y;
            }
}

TEST(FillView, MatrixLargerThanTheFileReadsZerosAndNothingBeyond)
{
    // Header offset 1 into a 5-byte stream: pixels 0 and 1 exist, the rest are missing.
    const std::vector<std::uint8_t> bytes = {0xEE, 0x05, 0x00, 0x06, 0x00};
    imageio::PixelSource s{bytes, 1, 3, 3, 2};
    common::GreyBitmap bmp(3, 3, 99);
    const viewer::WindowParams window{86, 256, 0, false, false};  // grey = value + 42
    viewer::FillView(s, {0, 2, 0, 2}, window, bmp);
    EXPECT_EQ(bmp.At(0, 0), 47);
    EXPECT_EQ(bmp.At(1, 0), 48);
    EXPECT_EQ(bmp.At(2, 0), 42);
    EXPECT_EQ(bmp.At(2, 2), 42);

    imageio::PixelSource far{bytes, 1000, 3, 3, 2};  // header offset beyond the file
    viewer::FillView(far, {0, 2, 0, 2}, window, bmp);
    EXPECT_EQ(bmp.At(0, 0), 42);
}

TEST(FillView, EightBitMode)
{
    const std::vector<std::uint8_t> bytes = {1, 2, 3, 4};
    imageio::PixelSource s{bytes, 0, 2, 2, 1};
    common::GreyBitmap bmp(2, 2);
    viewer::FillView(s, {0, 1, 0, 1}, viewer::WindowParams{64, 128, 0, false, false}, bmp);  // grey = 2 v
    EXPECT_EQ(bmp.At(1, 1), 8);
}

// The vector path must give the table's bytes for every stored word, ties included.
TEST(WindowKernel, MatchesTheExactMapOnEveryWord)
{
    const viewer::WindowParams windows[] = {
        {512, 1024, 0, false, false},  {0, 256, 0, false, false},     {0, 3, 0, true, true},
        {-1000, 4000, -1024, false, false}, {40, 7, 1, false, true},  {100, -333, 7, true, false},
        {0, 65536, 0, false, false},   {30000, 2, -30000, false, false}, {-5000000, 1, 5000000, true, false},
        {0, 1, 0, false, false},       {77, 10, 3, false, false},     {2, 12, 0, false, false},
    };
    std::vector<std::uint8_t> words(2 * 65536 + 2);
    for (int e = 0; e < 65536; ++e) {
        words[2 * e] = static_cast<std::uint8_t>(e & 0xFF);
        words[2 * e + 1] = static_cast<std::uint8_t>(e >> 8);
    }
    for (const auto& w : windows) {
        if (!viewer::WindowKernelUsable(w))
            GTEST_SKIP() << "no AVX2 and FMA here";
        const auto table = viewer::BuildWindowTable(w, 2);
        // Both builds, the AVX-512 one where the processor has it; a count of 65535 leaves it a
        // tail for the AVX2 path.
        for (const bool wide : {false, true}) {
            if (wide && !viewer::WindowWordsAvx512Usable())
                continue;
            for (const long long count : {65536LL, 65535LL}) {
                std::vector<std::uint8_t> out(65536 + 1, 0x5A);
                (wide ? viewer::WindowWordsAvx512 : viewer::WindowWordsAvx2)(words.data(), count, w,
                                                                             viewer::WindowFactor(w.width), out.data());
                int mismatches = 0;
                for (long long e = 0; e < count; ++e)
                    mismatches += out[e] != table[e];
                EXPECT_EQ(mismatches, 0) << "L" << w.level << " W" << w.width << " off" << w.valueOffset
                                         << (wide ? " AVX-512" : " AVX2") << " count " << count;
                EXPECT_EQ(out[count], 0x5A) << "written past the end";
            }
        }
    }
    EXPECT_FALSE(viewer::WindowKernelUsable({-20000000, 256, 0, false, false}));  // t beyond 2^24
}

} // namespace

namespace {

// The rows are filled in bands on the pool's threads: the same bytes for any thread count, for a
// view inside the image, one reaching past it (uncovered pixels keep their bytes) and a file
// too short for its matrix.
TEST(FillView, SameBytesForAnyThreadCount)
{
    const int width = 300, height = 203;
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(width) * height * 2);
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<std::uint8_t>((i * 2654435761u) >> 13);
    const struct {
        const char* what;
        viewer::ViewBounds view;
        std::size_t streamBytes;
    } cases[] = {
        {"inside", {10, 289, 3, 190}, bytes.size()},
        {"past the image", {-7, 340, -5, 250}, bytes.size()},
        {"short file", {0, width - 1, 0, height - 1}, bytes.size() / 3},
    };
    const viewer::WindowParams window{900, 1500, -20, true, true};
    for (const auto& c : cases) {
        const imageio::PixelSource source{std::span(bytes.data(), c.streamBytes), 0, width, height, 2};
        common::GreyBitmap one(width + 60, height + 60, 7);
        viewer::FillView(source, c.view, window, one);
        for (int threads : {2, 3, 4}) {
            common::ThreadPool pool(threads);
            common::GreyBitmap many(width + 60, height + 60, 7);
            viewer::FillView(source, c.view, window, many, pool);
            EXPECT_TRUE(many == one) << c.what << ", " << threads << " threads";
        }
    }
}

} // namespace
