// MTF figures against FFTW measured in the same run: the presampling MTF of a 256 x 512 edge ROI
// (512 lines across a vertical edge of 3 degrees, 256 pixels each) on 1 and on all threads, and
// the time FFTW takes for the same transform (one real-to-complex transform of the zero-padded LSF,
// FFTW_ESTIMATE as the MTF uses it).
#include <benchmark/benchmark.h>
#include <fftw3.h>

#include <cmath>
#include <numbers>
#include <random>
#include <thread>
#include <vector>

#include "SlantedEdge.h"

namespace {

constexpr long long kAcross = 256, kLines = 512;

const std::vector<double>& EdgeRoi()
{
    static const std::vector<double> roi = [] {
        std::vector<double> v(static_cast<std::size_t>(kAcross * kLines));
        std::mt19937_64 engine(1);
        std::normal_distribution<double> noise(0.0, 5.0);
        const double t = 3.0 * std::numbers::pi / 180.0;
        for (long long y = 0; y < kLines; ++y)
            for (long long x = 0; x < kAcross; ++x) {
                const double s = (x - 127.6) * std::cos(t) - (y - 256.0) * std::sin(t);
                v[static_cast<std::size_t>(y * kAcross + x)] = 100.0 + 1000.0 * 0.5 * std::erfc(-s / 1.0) + noise(engine);
            }
        return v;
    }();
    return roi;
}

void BM_EdgeMtf(benchmark::State& state)
{
    const int threads = state.range(0) == 0 ? static_cast<int>(std::thread::hardware_concurrency())
                                            : static_cast<int>(state.range(0));
    common::ThreadPool pool(threads);
    const quality::EdgeImage roi{EdgeRoi(), kAcross, kLines};
    std::size_t lsf = 0;
    for (auto _ : state) {
        const quality::MtfResult r = quality::MeasureEdgeMtf(roi, {0.1, 0.25}, pool);
        lsf = r.lsf.size();
        benchmark::DoNotOptimize(r.mtf50);
    }
    state.counters["threads"] = threads;
    state.counters["lsf"] = static_cast<double>(lsf);
}
BENCHMARK(BM_EdgeMtf)->ArgNames({"threads"})->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond)->UseRealTime();

// The transform the MTF runs: the LSF of about 4 x 240 samples zero-padded to 16384 (at least 16
// times its length, a power of two).
void BM_FftwLsfTransform(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    double* in = fftw_alloc_real(static_cast<std::size_t>(n));
    fftw_complex* out = fftw_alloc_complex(static_cast<std::size_t>(n / 2 + 1));
    fftw_plan plan = fftw_plan_dft_r2c_1d(n, in, out, FFTW_ESTIMATE);
    for (int i = 0; i < n; ++i)
        in[i] = i < 1000 ? std::exp(-0.01 * (i - 500) * (i - 500)) : 0.0;
    for (auto _ : state) {
        fftw_execute(plan);
        benchmark::DoNotOptimize(out);
    }
    fftw_destroy_plan(plan);
    fftw_free(in);
    fftw_free(out);
}
BENCHMARK(BM_FftwLsfTransform)->Arg(16384)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
