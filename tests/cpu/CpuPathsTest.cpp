// Every kernel with builds for several instruction sets gives the same bytes on each of them. Each
// kernel runs here at every level this machine has (plain, SSE2, AVX2, AVX-512), capped through
// the one dispatch module, on values that reach the edges its builds treat apart (run lengths not
// a multiple of any register width, values that saturate, NaN and infinities where they can occur).
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "Cpu.h"
#include "Fft.h"
#include "FilterViews.h"
#include "GreyBitmap.h"
#include "GreyPicture.h"
#include "RadialFilter.h"
#include "SquareMatrix.h"
#include "TableStatistics.h"
#include "ViewFill.h"

namespace {

using common::CpuLevel;

// The levels this machine has, up to the one SPECTRUM_CPU leaves (all of them without it).
std::vector<CpuLevel> LevelsOfThisMachine()
{
    std::vector<CpuLevel> levels;
    for (CpuLevel level : {CpuLevel::Plain, CpuLevel::Sse2, CpuLevel::Avx2, CpuLevel::Avx512})
        if (static_cast<int>(level) <= static_cast<int>(common::CpuLevelInUse()))
            levels.push_back(level);
    return levels;
}

const char* NameOf(CpuLevel level)
{
    static const char* const names[] = {"plain", "SSE2", "AVX2", "AVX-512"};
    return names[static_cast<int>(level)];
}

// Runs `kernel` at every level and compares what it gives with the plain build's, byte for byte.
void ExpectTheSameBytesAtEveryLevel(const char* what, const std::function<std::vector<std::uint8_t>()>& kernel)
{
    std::vector<std::uint8_t> plain;
    {
        const common::CpuLevelCap cap(CpuLevel::Plain);
        plain = kernel();
    }
    ASSERT_FALSE(plain.empty()) << what;
    for (CpuLevel level : LevelsOfThisMachine()) {
        const common::CpuLevelCap cap(level);
        EXPECT_EQ(common::CpuLevelInUse(), level) << what;
        EXPECT_TRUE(kernel() == plain) << what << ": the " << NameOf(level) << " build differs from the plain one";
    }
}

template <typename T>
std::vector<std::uint8_t> BytesOf(const T* data, std::size_t count)
{
    const auto* p = reinterpret_cast<const std::uint8_t*>(data);
    return {p, p + count * sizeof(T)};
}

std::vector<double> Values(std::size_t count, double spread, unsigned seed)
{
    std::mt19937 engine(seed);
    std::normal_distribution<double> normal(0.0, spread);
    std::vector<double> v(count);
    for (double& x : v)
        x = normal(engine);
    return v;
}

TEST(CpuPaths, CapsLowerTheLevelAndNeverRaiseIt)
{
    const CpuLevel chosen = common::CpuLevelInUse();
    EXPECT_LE(static_cast<int>(chosen), static_cast<int>(common::MachineCpuLevel()));
    {
        const common::CpuLevelCap cap(CpuLevel::Plain);
        EXPECT_EQ(common::CpuLevelInUse(), CpuLevel::Plain);
        EXPECT_FALSE(common::CpuAllows(CpuLevel::Sse2));
    }
    const common::CpuLevelCap above(CpuLevel::Avx512);
    EXPECT_EQ(common::CpuLevelInUse(), chosen);
}

TEST(CpuPaths, ViewerWindowFill)
{
    // 301 x 7 words through windows that saturate on both sides, swapped and not, inverted and not.
    const int w = 301, h = 7;
    std::vector<std::uint8_t> stream(static_cast<std::size_t>(w) * h * 2);
    std::mt19937 engine(3);
    for (std::uint8_t& b : stream)
        b = static_cast<std::uint8_t>(engine());
    const imageio::PixelSource source{stream, 0, w, h, 2};
    for (const viewer::WindowParams window : {viewer::WindowParams{40, 400, -1024, false, false},
                                              viewer::WindowParams{-300, 7, 32768, true, true},
                                              viewer::WindowParams{0, 65535, 0, false, true}})
        ExpectTheSameBytesAtEveryLevel("window fill", [&] {
            common::GreyBitmap bitmap(w, h);
            viewer::FillView(source, viewer::ViewBounds{0, w - 1, 0, h - 1}, window, bitmap);
            return bitmap.Pixels();
        });
}

TEST(CpuPaths, SpectrumPictures)
{
    const int n = 64;
    std::vector<double> values = Values(static_cast<std::size_t>(n) * n, 300.0, 5);
    values[3] = std::numeric_limits<double>::quiet_NaN();
    values[70] = std::numeric_limits<double>::infinity();
    values[71] = -std::numeric_limits<double>::infinity();
    for (const long long strideX : {1LL, static_cast<long long>(n)})
        ExpectTheSameBytesAtEveryLevel("grey picture", [&] {
            common::GreyBitmap out;
            spectrum::RenderGrey(values.data(), strideX, strideX == 1 ? n : 1, n - 3, 250.0, 12.5, out);
            return out.Pixels();
        });
}

TEST(CpuPaths, TableStatisticsAndHistogram)
{
    const std::vector<double> values = Values(1023, 50.0, 7);
    ExpectTheSameBytesAtEveryLevel("table histogram", [&] {
        const spectrum::StatisticsWithHistogram s = spectrum::ComputeTableStatisticsAndHistogram(values, 31, 33, 50);
        std::vector<std::uint8_t> bytes = BytesOf(s.counts.data(), s.counts.size());
        const std::vector<std::uint8_t> moments = BytesOf(&s.statistics.mean, 4);
        bytes.insert(bytes.end(), moments.begin(), moments.end());
        return bytes;
    });
}

TEST(CpuPaths, Transform)
{
    for (const int n : {8, 64, 256}) {
        for (const auto precision : {spectrum::FftPrecision::Double, spectrum::FftPrecision::Single})
            ExpectTheSameBytesAtEveryLevel(("transform of " + std::to_string(n)).c_str(), [&] {
                auto re = std::make_unique<spectrum::SquareMatrix>(), im = std::make_unique<spectrum::SquareMatrix>();
                const std::vector<double> v = Values(static_cast<std::size_t>(n) * n * 2, 100.0, 11);
                for (int x = 0; x < n; ++x)
                    for (int y = 0; y < n; ++y) {
                        (*re)[x][y] = v[static_cast<std::size_t>(x * n + y) * 2];
                        (*im)[x][y] = v[static_cast<std::size_t>(x * n + y) * 2 + 1];
                    }
                spectrum::FftWorkspace ws;
                spectrum::BuildFftTables(ws, n, precision);
                spectrum::TransformLines(ws, *re, *im, n, spectrum::Axis::First, n, precision);
                spectrum::TransformLines(ws, *re, *im, n, spectrum::Axis::Second, n, precision);
                std::vector<std::uint8_t> bytes;
                for (int x = 0; x < n; ++x) {
                    const auto r = BytesOf((*re)[x], static_cast<std::size_t>(n));
                    const auto i = BytesOf((*im)[x], static_cast<std::size_t>(n));
                    bytes.insert(bytes.end(), r.begin(), r.end());
                    bytes.insert(bytes.end(), i.begin(), i.end());
                }
                return bytes;
            });
    }
}

TEST(CpuPaths, HighCutFilterGain)
{
    for (const int n : {8, 64, 128})
        for (const bool steepen : {false, true})
            ExpectTheSameBytesAtEveryLevel("high-cut gain", [&] {
                auto gain = std::make_unique<spectrum::SquareMatrix>();
                double filterMax = 0.0;
                filter::HighCutFilter(*gain, n, 0.2f, 5, steepen, filterMax);
                std::vector<std::uint8_t> bytes;
                for (int x = 0; x < n; ++x) {
                    const auto column = BytesOf((*gain)[x], static_cast<std::size_t>(n));
                    bytes.insert(bytes.end(), column.begin(), column.end());
                }
                const auto m = BytesOf(&filterMax, 1);
                bytes.insert(bytes.end(), m.begin(), m.end());
                return bytes;
            });
}

TEST(CpuPaths, FilterViews)
{
    const int n = 64;
    auto matrix = std::make_unique<spectrum::SquareMatrix>();
    const std::vector<double> v = Values(static_cast<std::size_t>(n) * n, 80.0, 13);
    for (int x = 0; x < n; ++x)
        for (int y = 0; y < n; ++y)
            (*matrix)[x][y] = std::fabs(v[static_cast<std::size_t>(x * n + y)]) + (x == 3 && y == 5 ? 1e300 : 0.0);
    const filter::RenderWindow window = filter::MakeRenderWindow(200, -50, 1.0);
    for (const filter::View view : {filter::View::Raw, filter::View::Filter})
        for (const bool invert : {false, true})
            ExpectTheSameBytesAtEveryLevel("filter view", [&] {
                filter::ViewSource source{view, matrix.get(), 0.0, 120.0};
                common::GreyBitmap bitmap;
                filter::RenderViewBitmap(source, n - 1, window, false, invert, bitmap);
                return bitmap.Pixels();
            });
}

} // namespace
