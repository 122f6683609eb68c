// Viewer figures, each against a reference measured in the same run:
//   RenderView of a 2048 x 2048 16-bit image vs a memcpy of the same 8 MiB;
//   creating the three windows and showing the viewer (start-up work inside the process).
#include <QApplication>
#include <benchmark/benchmark.h>

#include <cstring>
#include <random>
#include <vector>

#include "DialogDouble.h"
#include "Unit1.h"
#include "Unit2.h"
#include "Unit3.h"
#include "ViewFill.h"
#include "WindowMap.h"
#include "TestWindows.h"

namespace {

constexpr int kSide = 2048;

std::vector<std::uint8_t> RandomImage()
{
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(kSide) * kSide * 2);
    std::mt19937 rng(7);
    for (auto& b : bytes)
        b = static_cast<std::uint8_t>(rng());
    return bytes;
}

void BM_MemcpyReference(benchmark::State& state)
{
    const auto src = RandomImage();
    std::vector<std::uint8_t> dst(src.size());
    for (auto _ : state) {
        std::memcpy(dst.data(), src.data(), src.size());
        benchmark::DoNotOptimize(dst.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * static_cast<long long>(src.size()));
}
BENCHMARK(BM_MemcpyReference)->Unit(benchmark::kMillisecond);

// The window's own RenderView (geometry, window table, fill, layout, ROI frame) on a loaded
// 2048 x 2048 16-bit image.
void BM_RenderView2048(benchmark::State& state)
{
    TestWindows windows;
    TForm1& form = windows.form1;
    form.ImageStream = RandomImage();
    form.ui.RadioGroupMode->setItemIndex(1);
    form.ui.EditImgSizeX->setText("2048");
    form.ui.EditImgSizeY->setText("2048");
    form.ui.EditWindowLevel->setText("0");
    form.ui.EditWindowWidth->setText("4000");
    form.LoadState = 1;
    for (auto _ : state) {
        form.RenderView();
        benchmark::DoNotOptimize(form.DisplayBitmap().Pixels().data());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<long long>(form.ImageStream.size()));
}
BENCHMARK(BM_RenderView2048)->Unit(benchmark::kMillisecond);

void BM_StartUpWindows(benchmark::State& state)
{
    for (auto _ : state) {
        TestWindows windows;
        windows.form1.show();
        QApplication::processEvents();
    }
}
BENCHMARK(BM_StartUpWindows)->Unit(benchmark::kMillisecond);

} // namespace
