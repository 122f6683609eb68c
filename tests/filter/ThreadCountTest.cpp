// Every loop the windows run on the worker pool gives the same bytes for any number of threads:
// the transforms, the spectrum map, the pictures, the histogram, the filter gains and the filtered
// image.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "Errors.h"
#include "Fft.h"
#include "FilterPipeline.h"
#include "FilteredHistogram.h"
#include "FilterViews.h"
#include "GreyPicture.h"
#include "RadialFilter.h"
#include "SpectrumMap.h"
#include "TableStatistics.h"
#include "ThreadPool.h"

namespace {

using spectrum::SquareMatrix;

std::unique_ptr<SquareMatrix> Matrix() { return std::make_unique<SquareMatrix>(); }

// The leading n x n elements, as bytes.
std::vector<unsigned char> Bytes(const SquareMatrix& m, int n)
{
    std::vector<unsigned char> out(static_cast<std::size_t>(n) * n * sizeof(double));
    for (int x = 0; x < n; ++x)
        std::memcpy(&out[static_cast<std::size_t>(x) * n * sizeof(double)], m[x], n * sizeof(double));
    return out;
}

// Everything one run produces, named so that a difference says where it is.
using Results = std::vector<std::pair<std::string, std::vector<unsigned char>>>;

void Add(Results& r, const std::string& what, const SquareMatrix& m, int n) { r.emplace_back(what, Bytes(m, n)); }
void Add(Results& r, const std::string& what, const common::GreyBitmap& b) { r.emplace_back(what, b.Pixels()); }
void Add(Results& r, const std::string& what, double v)
{
    std::vector<unsigned char> bytes(sizeof v);
    std::memcpy(bytes.data(), &v, sizeof v);
    r.emplace_back(what, bytes);
}

// The road from an image to the filtered image and the pictures, with a pool of `threads`.
Results RunWith(int threads, int n)
{
    common::ThreadPool pool(threads);
    Results r;
    auto re = Matrix(), im = Matrix(), map = Matrix();
    std::mt19937 rng(5);
    for (int x = 0; x < n; ++x)
        for (int y = 0; y < n; ++y)
            (*re)[x][y] = static_cast<double>(rng() % 4096);
    auto image = Matrix();
    for (int x = 0; x < n; ++x)
        std::memcpy((*image)[x], (*re)[x], n * sizeof(double));

    // A partial first pass too: the work arrays must end holding the last line.
    spectrum::FftWorkspace ws;
    spectrum::BuildFftTables(ws, n, spectrum::FftPrecision::Double);
    spectrum::TransformLines(ws, *re, *im, n, spectrum::Axis::First, n - 3, spectrum::FftPrecision::Double, pool);
    r.emplace_back("work array after a partial pass",
                   std::vector<unsigned char>(reinterpret_cast<const unsigned char*>(ws.FftWorkRe.data()),
                                              reinterpret_cast<const unsigned char*>(ws.FftWorkRe.data() + n)));
    spectrum::TransformLines(ws, *re, *im, n, spectrum::Axis::First, n, spectrum::FftPrecision::Double, pool);
    spectrum::TransformLines(ws, *re, *im, n, spectrum::Axis::Second, n, spectrum::FftPrecision::Double, pool);
    Add(r, "spectrum re", *re, n);
    Add(r, "spectrum im", *im, n);

    spectrum::BuildSpectrumMap(*re, *im, n, 0.5, spectrum::kPower, *map, pool);
    Add(r, "power map", *map, n);
    common::GreyBitmap picture;
    spectrum::RenderGrey((*map)[0], spectrum::kMatrixSide, 1, n, 1e4, 2e3, picture, pool);
    Add(r, "map picture", picture);
    spectrum::RenderGrey((*image)[0], 1, spectrum::kMatrixSide, n, 3000, 1500, picture, pool);
    Add(r, "data picture (strided)", picture);
    auto logMap = Matrix();
    spectrum::BuildSpectrumMap(*re, *im, n, 0.5, spectrum::kAbs, *logMap, pool);
    spectrum::TakeLogarithm(*logMap, n, pool);
    Add(r, "log abs map", *logMap, n);

    std::vector<double> samples;
    for (int x = 0; x < n; ++x)
        samples.insert(samples.end(), (*image)[x], (*image)[x] + n);
    const auto counts = spectrum::HistogramCounts(samples, 100, 3900, 40, pool);
    r.emplace_back("histogram counts", std::vector<unsigned char>(reinterpret_cast<const unsigned char*>(counts.data()),
                                                                  reinterpret_cast<const unsigned char*>(counts.data() + counts.size())));

    auto gain = Matrix(), fRe = Matrix(), fIm = Matrix(), fPower = Matrix(), filtered = Matrix();
    double filterMax = 0;
    filter::ResetGain(*gain, n);
    filter::LowCutFilter(*gain, n, 0.05, 2, true, filterMax, pool);
    filter::HighCutFilter(*gain, n, 0.3f, 3, true, filterMax, pool);
    Add(r, "band-pass gain", *gain, n);
    Add(r, "gain maximum", filterMax);
    const double powerMax = filter::FilterSpectrum(*re, *im, *map, *gain, n, *fRe, *fIm, *fPower, pool);
    Add(r, "filtered power", *fPower, n);
    Add(r, "filtered power maximum", powerMax);
    filter::FilterFft2D(ws, *fRe, *fIm, n, 50.0, pool);
    filter::PlaceFilteredImage(*fRe, n, *filtered, pool);
    Add(r, "filtered image", *filtered, n);
    std::vector<unsigned char> points;
    for (const spectrum::ChartPoint& p : filter::FilteredHistogram(*filtered, n, 2000, -100, 60, pool))
        for (double v : {p.x, p.y})
            points.insert(points.end(), reinterpret_cast<const unsigned char*>(&v),
                          reinterpret_cast<const unsigned char*>(&v) + sizeof v);
    r.emplace_back("filtered histogram", points);

    const auto window = filter::MakeRenderWindow(100, 0, 1.0);
    const struct {
        const char* what;
        filter::ViewSource source;
        bool log;
    } views[] = {
        {"raw view", {filter::View::Raw, image.get(), 0, 0}, false},
        {"filtered view, log", {filter::View::Filtered, filtered.get(), 0, 0}, true},
        {"power view", {filter::View::Power, fPower.get(), powerMax, 0}, false},
        {"filter view", {filter::View::Filter, gain.get(), 0, filterMax}, false},
    };
    for (const auto& v : views) {
        filter::RenderViewBitmap(v.source, n, window, v.log, true, picture, pool);
        Add(r, v.what, picture);
    }

    // A low-cut with a negative power fails part-way (1 / 0 beyond twice the cut-off): the
    // columns before the failing offset keep their factors, whatever the thread count.
    filter::ResetGain(*gain, n);
    try {
        filter::LowCutFilter(*gain, n, 0.3, -1, false, filterMax, pool);
        ADD_FAILURE() << "the low-cut did not fail";
    } catch (const common::FloatError&) {
    }
    Add(r, "gain after a failing low-cut", *gain, n);
    return r;
}

TEST(ThreadCount, SameBytesForAnyNumberOfThreads)
{
    for (int n : {8, 64, 512}) {
        const Results single = RunWith(1, n);
        for (int threads : {2, 3, 4, 8}) {
            const Results many = RunWith(threads, n);
            ASSERT_EQ(many.size(), single.size());
            for (std::size_t i = 0; i < single.size(); ++i)
                EXPECT_TRUE(many[i].second == single[i].second)
                    << single[i].first << ", n = " << n << ", " << threads << " threads";
        }
    }
}

} // namespace
