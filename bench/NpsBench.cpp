// NPS figures against FFTW measured in the same run: the NPS of 10 images of 2048 x 2048 with
// 256-pixel ROIs at 50 % overlap (15 x 15 ROIs each, 2250 in all) and poly2 detrending, fitted
// per ROI or over the whole area, on 1 and on all threads; and the time FFTW takes for the same
// number of 256 x 256 real-to-complex transforms (FFTW_ESTIMATE as the NPS uses it, and
// FFTW_MEASURE), and of complex ones for scale.
#include <benchmark/benchmark.h>
#include <fftw3.h>

#include <algorithm>
#include <random>
#include <thread>
#include <vector>

#include "NoisePowerSpectrum.h"

namespace {

constexpr int kImages = 10, kSide = 2048, kRoi = 256;
constexpr int kRoisPerImage = 15 * 15;
constexpr int kTransforms = kImages * kRoisPerImage;

const std::vector<std::vector<double>>& Images()
{
    static const std::vector<std::vector<double>> images = [] {
        std::vector<std::vector<double>> all(kImages, std::vector<double>(static_cast<std::size_t>(kSide) * kSide));
        std::mt19937_64 engine(1);
        std::normal_distribution<double> normal(1000.0, 10.0);
        for (auto& image : all)
            for (double& v : image)
                v = normal(engine);
        return all;
    }();
    return images;
}

void BM_Nps(benchmark::State& state)
{
    const int threads = state.range(0) == 0 ? static_cast<int>(std::thread::hardware_concurrency())
                                            : static_cast<int>(state.range(0));
    nps::NpsRequest request;
    for (const auto& image : Images())
        request.images.push_back({"noise", {image, kSide, kSide}});
    request.grid = nps::GridOverArea(kRoi, {0, 0, kSide, kSide}, 0.5);
    request.detrend = nps::DetrendKind::Poly2;
    request.scope = state.range(1) == 0 ? nps::DetrendScope::PerRoi : nps::DetrendScope::WholeArea;
    request.pixelMm = 0.1;
    nps::Pool pool(nps::PoolThreads(threads));
    for (auto _ : state)
        benchmark::DoNotOptimize(nps::ComputeNps(request, pool));
    state.counters["threads"] = threads;
    state.counters["rois"] = static_cast<double>(request.grid.corners.size() * request.images.size());
}
BENCHMARK(BM_Nps)->ArgNames({"threads", "area"})->Args({1, 0})->Args({1, 1})->Args({0, 0})->Args({0, 1})
    ->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2);

// Times kTransforms runs of `plan` on the input it was set up with.
void TimeTransforms(benchmark::State& state, fftw_plan plan, const fftw_complex* out)
{
    for (auto _ : state)
        for (int t = 0; t < kTransforms; ++t) {
            fftw_execute(plan);
            benchmark::DoNotOptimize(out);
        }
}

void BM_FftwRealTransforms(benchmark::State& state)
{
    const unsigned flags = state.range(0) == 0 ? FFTW_ESTIMATE : FFTW_MEASURE;
    double* in = fftw_alloc_real(static_cast<std::size_t>(kRoi) * kRoi);
    fftw_complex* out = fftw_alloc_complex(static_cast<std::size_t>(kRoi) * (kRoi / 2 + 1));
    fftw_plan plan = fftw_plan_dft_r2c_2d(kRoi, kRoi, in, out, flags);
    const auto& image = Images()[0];
    for (int i = 0; i < kRoi * kRoi; ++i)
        in[i] = image[static_cast<std::size_t>(i)];
    TimeTransforms(state, plan, out);
    fftw_destroy_plan(plan);
    fftw_free(in);
    fftw_free(out);
}
BENCHMARK(BM_FftwRealTransforms)->ArgNames({"measure"})->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(2);

// The same transforms of the ROIs themselves, each copied out of its image first: what any NPS
// pays at the least, reading 2250 ROIs from 320 MiB of images.
void BM_FftwRoisFromImages(benchmark::State& state)
{
    double* in = fftw_alloc_real(static_cast<std::size_t>(kRoi) * kRoi);
    fftw_complex* out = fftw_alloc_complex(static_cast<std::size_t>(kRoi) * (kRoi / 2 + 1));
    fftw_plan plan = fftw_plan_dft_r2c_2d(kRoi, kRoi, in, out, FFTW_ESTIMATE);
    const auto grid = nps::GridOverArea(kRoi, {0, 0, kSide, kSide}, 0.5);
    for (auto _ : state)
        for (const auto& image : Images())
            for (const auto& c : grid.corners) {
                for (int y = 0; y < kRoi; ++y)
                    std::copy_n(&image[static_cast<std::size_t>((c.y + y) * kSide + c.x)], kRoi, in + y * kRoi);
                fftw_execute(plan);
                benchmark::DoNotOptimize(out);
            }
    fftw_destroy_plan(plan);
    fftw_free(in);
    fftw_free(out);
}
BENCHMARK(BM_FftwRoisFromImages)->Unit(benchmark::kMillisecond)->Iterations(2);

void BM_FftwComplexTransforms(benchmark::State& state)
{
    fftw_complex* in = fftw_alloc_complex(static_cast<std::size_t>(kRoi) * kRoi);
    fftw_complex* out = fftw_alloc_complex(static_cast<std::size_t>(kRoi) * kRoi);
    fftw_plan plan = fftw_plan_dft_2d(kRoi, kRoi, in, out, FFTW_FORWARD, FFTW_MEASURE);
    const auto& image = Images()[0];
    for (int i = 0; i < kRoi * kRoi; ++i) {
        in[i][0] = image[static_cast<std::size_t>(i)];
        in[i][1] = 0.0;
    }
    TimeTransforms(state, plan, out);
    fftw_destroy_plan(plan);
    fftw_free(in);
    fftw_free(out);
}
BENCHMARK(BM_FftwComplexTransforms)->Unit(benchmark::kMillisecond)->Iterations(2);

} // namespace

BENCHMARK_MAIN();
