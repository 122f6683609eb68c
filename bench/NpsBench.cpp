// NPS figures against FFTW measured in the same run: the NPS of 10 images of 2048 x 2048 with
// 256-pixel ROIs at 50 % overlap (15 x 15 ROIs each, 2250 in all) and poly2 detrending, fitted
// per ROI or over the whole area, on 1 and on all threads; and the time FFTW takes for the same
// number of 256 x 256 real-to-complex transforms (FFTW_ESTIMATE as the NPS uses it, and
// FFTW_MEASURE), and of complex ones for scale. BM_StreamedNps runs the NPS from raw files as
// the command line does (each image read, measured and dropped) for 10 and 100 images, with the
// time per image and the process's peak resident size; run it alone
// (--benchmark_filter=BM_StreamedNps) so that no other benchmark's images count in that peak.
#include <benchmark/benchmark.h>
#include <fftw3.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

#include "NoisePowerSpectrum.h"
#include "NpsRun.h"

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

// A size of /proc/self/status in MiB: VmRSS, what the process holds now, or VmHWM, its peak
// since the last reset. ResetPeak starts a new peak at what the process holds now.
double StatusMiB(const std::string& key)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind(key + ":", 0) == 0)
            return std::stod(line.substr(key.size() + 1)) / 1024.0;
    return 0.0;
}
void ResetPeak() { std::ofstream("/proc/self/clear_refs") << "5"; }

// Ten different 16-bit noise images of 2048 x 2048 (0.1 mm) in a folder of their own, written once.
const std::vector<std::string>& RawFiles()
{
    static const std::vector<std::string> files = [] {
        const std::filesystem::path folder =
            std::filesystem::temp_directory_path() / ("nps_bench_" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder);
        std::vector<std::string> paths;
        std::mt19937_64 engine(2);
        std::normal_distribution<double> normal(1000.0, 10.0);
        std::vector<std::uint16_t> words(static_cast<std::size_t>(kSide) * kSide);
        for (int i = 0; i < kImages; ++i) {
            for (std::uint16_t& w : words)
                w = static_cast<std::uint16_t>(std::lround(normal(engine)));
            const std::string path = (folder / ("flat" + std::to_string(i) + " 2048 2048 0p1.raw")).string();
            std::ofstream(path, std::ios::binary)
                .write(reinterpret_cast<const char*>(words.data()), static_cast<std::streamsize>(words.size() * 2));
            paths.push_back(path);
        }
        std::atexit([] { std::filesystem::remove_all(std::filesystem::temp_directory_path() /
                                                     ("nps_bench_" + std::to_string(::getpid()))); });
        return paths;
    }();
    return files;
}

// The NPS of range(0) images read from files (the ten files in turn), 256-pixel ROIs at 50 %,
// poly2 over the area, on all threads.
void BM_StreamedNps(benchmark::State& state)
{
    const int images = static_cast<int>(state.range(0));
    nps::NpsRunSettings settings;
    for (int i = 0; i < images; ++i)
        settings.files.push_back(RawFiles()[static_cast<std::size_t>(i % kImages)]);
    settings.load.mode = imageio::FileMode::Bits16;
    settings.roiSize = kRoi;
    settings.overlap = 0.5;
    settings.detrend = nps::DetrendKind::Poly2;
    nps::Pool pool(nps::PoolThreads(0));
    RawFiles();
    const double before = StatusMiB("VmRSS");
    ResetPeak();
    double seconds = 0.0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        benchmark::DoNotOptimize(nps::RunNpsOnFiles(settings, pool));
        seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    state.counters["ms_per_image"] = 1000.0 * seconds / static_cast<double>(state.iterations()) / images;
    state.counters["peak_rss_MiB"] = StatusMiB("VmHWM");
    state.counters["rss_before_MiB"] = before;
    state.counters["threads"] = pool.Size();
}
BENCHMARK(BM_StreamedNps)->ArgNames({"images"})->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond)->UseRealTime()
    ->Iterations(1);

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
