#pragma once
// The reference of every analysis figure: FFTW's fastest single-thread double-precision complex
// 2-D transform of the same N. FFTW plans in place and out of place differ (in place is some 15 %
// faster at 1024 on a 32 MiB L3, out of place a little faster at 256 and 512), so both are planned
// with FFTW_MEASURE and the faster of the two is timed. FFTW_MEASURE picks its plans by timing, so
// they can differ from one process to the next; when BENCH_FFTW_WISDOM names a file, the plans
// are taken from it and added to it, so that every benchmark program of one run (scripts/bench)
// times the same plans.
#include <benchmark/benchmark.h>
#include <fftw3.h>

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <cstdlib>

inline void BM_FftwDouble2D(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    const std::size_t count = static_cast<std::size_t>(n) * static_cast<std::size_t>(n);
    fftw_complex* in = fftw_alloc_complex(count);
    fftw_complex* out = fftw_alloc_complex(count);
    const char* wisdom = std::getenv("BENCH_FFTW_WISDOM");
    if (wisdom)
        fftw_import_wisdom_from_filename(wisdom);
    fftw_plan inPlace = fftw_plan_dft_2d(n, n, in, in, FFTW_FORWARD, FFTW_MEASURE);
    fftw_plan outOfPlace = fftw_plan_dft_2d(n, n, in, out, FFTW_FORWARD, FFTW_MEASURE);
    if (wisdom)
        fftw_export_wisdom_to_filename(wisdom);
    const auto fill = [&] {
        for (std::size_t i = 0; i < count; ++i) {
            in[i][0] = static_cast<double>(i * 37 % 101) + 0.5;
            in[i][1] = 0;
        }
    };
    const auto seconds = [&](fftw_plan plan) {
        double best = 1e300;
        for (int round = 0; round < 5; ++round) {
            fill();
            const auto start = std::chrono::steady_clock::now();
            fftw_execute(plan);
            best = std::min(best, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        }
        return best;
    };
    const fftw_plan plan = seconds(inPlace) <= seconds(outOfPlace) ? inPlace : outOfPlace;
    fill();
    for (auto _ : state) {
        fftw_execute(plan);
        benchmark::DoNotOptimize(in);
        benchmark::DoNotOptimize(out);
        benchmark::ClobberMemory();
    }
    state.SetLabel(plan == inPlace ? "in place" : "out of place");
    fftw_destroy_plan(inPlace);
    fftw_destroy_plan(outOfPlace);
    fftw_free(in);
    fftw_free(out);
}
