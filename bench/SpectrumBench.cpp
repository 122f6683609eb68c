// Spectrum figures, each against FFTW's double 2-D transform (FFTW_MEASURE, one thread) of the
// same size measured in the same run:
//   the 2-D transform, double and single-precision variant, N = 256, 512, 1024;
//   the whole "Disp" chain at N = 1024 and the "toFilter" hand-off that fills 1024 x 1024 cells.
#include <QApplication>
#include <benchmark/benchmark.h>
#include <fftw3.h>

#include <cstring>
#include <memory>
#include <sys/resource.h>
#include <random>

#include "DialogDouble.h"
#include "Fft.h"
#include "ThreadPool.h"
#include "Unit1.h"
#include "Unit2.h"
#include "FftwReference.h"
#include "ThreadArgs.h"
#include "Unit3.h"
#include "TestWindows.h"

namespace {

BENCHMARK(BM_FftwDouble2D)->Arg(256)->Arg(512)->Arg(1024)->Unit(benchmark::kMillisecond);

// Tables, row pass and column pass on a freshly loaded matrix (FFTW reads its input afresh too).
void Transform2D(benchmark::State& state, spectrum::FftPrecision precision)
{
    const int n = static_cast<int>(state.range(0));
    common::ThreadPool pool(static_cast<int>(state.range(1)));
    auto re = std::make_unique<spectrum::SquareMatrix>();
    auto im = std::make_unique<spectrum::SquareMatrix>();
    std::vector<double> input(static_cast<std::size_t>(n) * n);
    std::mt19937 rng(3);
    for (double& v : input)
        v = static_cast<double>(rng() % 4096);
    auto& ws = spectrum::SharedFft();
    for (auto _ : state) {
        for (int x = 0; x < n; ++x) {
            std::memcpy((*re)[x], &input[static_cast<std::size_t>(x) * n], n * sizeof(double));
            std::memset((*im)[x], 0, n * sizeof(double));
        }
        spectrum::BuildFftTables(ws, n, precision);
        spectrum::TransformLines(ws, *re, *im, n, spectrum::Axis::First, n, precision, pool);
        spectrum::TransformLines(ws, *re, *im, n, spectrum::Axis::Second, n, precision, pool);
        benchmark::DoNotOptimize((*re)[0]);
    }
}

void BM_Fft2DDouble(benchmark::State& state) { Transform2D(state, spectrum::FftPrecision::Double); }
void BM_Fft2DSingle(benchmark::State& state) { Transform2D(state, spectrum::FftPrecision::Single); }
BENCHMARK(BM_Fft2DDouble)->Apply([](auto* b) { ThreadArgs(b, {256, 512, 1024}); })->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Fft2DSingle)->Apply([](auto* b) { ThreadArgs(b, {256, 512, 1024}); })->Unit(benchmark::kMillisecond);

// Three windows with a 1024 x 1024 16-bit image loaded and a 1024 x 1024 ROI over all of it.
struct HandOffScene {
    TestWindows windows;
    TForm1& form1 = windows.form1;
    TForm2& form2 = windows.form2;
    TForm3& form3 = windows.form3;

    explicit HandOffScene(int threads = common::ThreadPool::MachineThreads()) : windows(threads)
    {
        const int side = 1024;
        form1.ImageStream.resize(static_cast<std::size_t>(side) * side * 2);
        std::mt19937 rng(9);
        for (auto& b : form1.ImageStream)
            b = static_cast<std::uint8_t>(rng() % 16);  // 12-bit-like values
        form1.ui.RadioGroupMode->setItemIndex(1);
        form1.ui.EditImgSizeX->setText("1024");
        form1.ui.EditImgSizeY->setText("1024");
        form1.ui.EditPxlSpc->setText("0.5");
        form1.ui.EditROIPosX->setText("512");
        form1.ui.EditROIPosY->setText("512");
        form1.ui.EditROISizeX->setText("1024");
        form1.ui.EditROISizeY->setText("1024");
        form1.LoadState = 1;
        form1.RenderView();
    }
};

long PeakResidentMiB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024;
}

// "toFilter": 1024 x 1024 samples into the table (the activation that follows is measured below).
void BM_ToFilter1024(benchmark::State& state)
{
    HandOffScene scene;
    for (auto _ : state) {
        scene.form1.ButtonToTableClick();
        benchmark::DoNotOptimize(scene.form2.ui.StringGridRaw->ColCount());
    }
    QApplication::processEvents();  // the activation: the whole chain once, as after a real hand-off
    state.counters["peak_rss_MiB"] = static_cast<double>(PeakResidentMiB());
}
BENCHMARK(BM_ToFilter1024)->Unit(benchmark::kMillisecond);

// The whole "Disp" chain at N = 1024: size captions, statistics and histogram, raw range, data
// picture, 2DFFT, Spectl, statistics, spectrum picture.
void BM_DispChain1024(benchmark::State& state)
{
    HandOffScene scene(static_cast<int>(state.range(1)));
    scene.form1.ButtonToTableClick();
    for (auto _ : state) {
        scene.form2.ButtonDispClick();
        benchmark::DoNotOptimize((*scene.form2.SpectrumMap)[0]);
    }
}
BENCHMARK(BM_DispChain1024)->Apply([](auto* b) { ThreadArgs(b, {1024}); })->Unit(benchmark::kMillisecond);

} // namespace
