// MTF figures against FFTW measured in the same run: the presampling MTF of a 256 x 512 edge ROI
// (512 lines across a vertical edge of 3 degrees, 256 pixels each) on 1 and on all threads, and
// the time FFTW takes for the same transform (one real-to-complex transform of the zero-padded LSF,
// FFTW_ESTIMATE as the MTF uses it). And the whole DQE, as spectrum_cli dqe runs it from files: 5
// flat fields of 2048 x 2048 (256-px ROIs at 50 %, poly2) and a vertical and a horizontal edge of
// 512 x 512, beside FFTW's time for the same transforms (the NPS's 2-D real-to-complex transforms
// of every ROI and the two LSF transforms).
#include <benchmark/benchmark.h>
#include <fftw3.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <random>
#include <thread>
#include <vector>

#include "DqeRun.h"
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

// Raw 16-bit little-endian files named by the file-name convention, written once per run.
struct DqeFiles {
    std::filesystem::path folder;
    std::vector<std::string> flats;
    std::string edgeV, edgeH;

    DqeFiles()
    {
        folder = std::filesystem::temp_directory_path() / ("quality-bench-" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder);
        std::mt19937_64 engine(7);
        std::normal_distribution<double> noise(0.0, 20.0);
        const auto write = [&](const std::string& name, int side, const auto& value) {
            std::vector<std::uint16_t> words(static_cast<std::size_t>(side) * side);
            for (int y = 0; y < side; ++y)
                for (int x = 0; x < side; ++x)
                    words[static_cast<std::size_t>(y) * side + x] =
                        static_cast<std::uint16_t>(std::lround(std::clamp(value(x, y) + noise(engine), 0.0, 65535.0)));
            const std::string path = (folder / name).string();
            std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(words.data()),
                                                        static_cast<std::streamsize>(words.size() * 2));
            return path;
        };
        for (int i = 0; i < 5; ++i)
            flats.push_back(write("flat" + std::to_string(i) + " 2048 2048 0p1.raw", 2048,
                                  [](int x, int y) { return 1000.0 + 0.01 * x + 0.02 * y; }));
        const double t = 3.0 * std::numbers::pi / 180.0;
        const auto edge = [t](double across) { return 100.0 + 1000.0 * 0.5 * std::erfc(-across / 1.0); };
        edgeV = write("edgev 512 512 0p1.raw", 512, [&](int x, int y) {
            return edge((x - 255.6) * std::cos(t) - (y - 256.0) * std::sin(t));
        });
        edgeH = write("edgeh 512 512 0p1.raw", 512, [&](int x, int y) {
            return edge((y - 255.6) * std::cos(t) - (x - 256.0) * std::sin(t));
        });
    }
    ~DqeFiles() { std::filesystem::remove_all(folder); }
};

const DqeFiles& Files()
{
    static const DqeFiles files;
    return files;
}

void BM_WholeDqe(benchmark::State& state)
{
    const int threads = state.range(0) == 0 ? static_cast<int>(std::thread::hardware_concurrency())
                                            : static_cast<int>(state.range(0));
    common::ThreadPool pool(threads);
    quality::DqeRunSettings settings;
    settings.levels = {{2.5, Files().flats}};
    settings.flats.load.mode = imageio::FileMode::Bits16;
    settings.flats.roiSize = 256;
    settings.flats.overlap = 0.5;
    settings.assumeProportional = true;
    settings.edgesVertical = {Files().edgeV};
    settings.edgesHorizontal = {Files().edgeH};
    std::size_t rois = 0;
    for (auto _ : state) {
        const quality::DqeRunOutcome outcome = quality::RunDqeOnFiles(settings, pool);
        rois = outcome.First().nps.result.roiCount;
        benchmark::DoNotOptimize(outcome.First().u.data());
    }
    state.counters["threads"] = threads;
    state.counters["rois"] = static_cast<double>(rois);
}
BENCHMARK(BM_WholeDqe)->ArgNames({"threads"})->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2);

// FFTW for the same transforms: one 256 x 256 real-to-complex transform per ROI (5 x 225) and two
// LSF transforms of 16384 points, FFTW_ESTIMATE, one thread.
void BM_FftwDqeTransforms(benchmark::State& state)
{
    constexpr int n = 256, rois = 5 * 225, lsf = 16384;
    double* in = fftw_alloc_real(static_cast<std::size_t>(n) * 2 * (n / 2 + 1));
    fftw_plan plan = fftw_plan_dft_r2c_2d(n, n, in, reinterpret_cast<fftw_complex*>(in), FFTW_ESTIMATE);
    double* lsfIn = fftw_alloc_real(lsf);
    fftw_complex* lsfOut = fftw_alloc_complex(lsf / 2 + 1);
    fftw_plan lsfPlan = fftw_plan_dft_r2c_1d(lsf, lsfIn, lsfOut, FFTW_ESTIMATE);
    for (auto _ : state) {
        for (int r = 0; r < rois; ++r) {
            for (int i = 0; i < n * 2 * (n / 2 + 1); ++i)
                in[i] = (i * 37 + r) % 101;
            fftw_execute(plan);
        }
        for (int e = 0; e < 2; ++e) {
            for (int i = 0; i < lsf; ++i)
                lsfIn[i] = i < 1000 ? std::exp(-0.01 * (i - 500) * (i - 500)) : 0.0;
            fftw_execute(lsfPlan);
        }
        benchmark::DoNotOptimize(in);
    }
    fftw_destroy_plan(plan);
    fftw_destroy_plan(lsfPlan);
    fftw_free(in);
    fftw_free(lsfIn);
    fftw_free(lsfOut);
}
BENCHMARK(BM_FftwDqeTransforms)->Unit(benchmark::kMillisecond)->Iterations(2);

} // namespace

BENCHMARK_MAIN();
