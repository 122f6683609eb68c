// Filter window figures, each against an FFTW double-precision 2-D complex transform of the same
// N (FFTW_MEASURE, one thread) measured in the same run:
//   the first-image path of the new-image operation (two filter runs, five views);
//   the whole hand-off, from the table the viewer fills to all five views drawn.
// The peak resident size after the hand-off is reported as a counter (VmHWM, MiB).
#include <QApplication>
#include <benchmark/benchmark.h>
#include <fftw3.h>

#include <cmath>
#include <fstream>
#include <string>
#include <vector>

#include "DialogDouble.h"
#include "Unit1.h"
#include "Unit2.h"
#include "FftwReference.h"
#include "ThreadArgs.h"
#include "Unit3.h"
#include "TestWindows.h"

namespace {

BENCHMARK(BM_FftwDouble2D)->Arg(64)->Arg(256)->Arg(512)->Arg(1024)->Unit(benchmark::kMillisecond);

double PeakResidentMiB()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0)
            return std::stod(line.substr(6)) / 1024.0;
    return 0;
}

// The three windows with an n x n table, as the viewer's hand-off leaves them.
struct Windows {
    toolkit::DialogDouble dialogs;
    TestWindows windows;
    TForm1& form1 = windows.form1;
    TForm2& form2 = windows.form2;
    TForm3& form3 = windows.form3;
    int n;

    // The samples are made with the windows, before any timing: the hand-off measured is the
    // program's, from the table filled cell by cell as the viewer fills it, not the making of the
    // test pattern.
    std::vector<long long> samples;

    Windows(int size, int threads) : windows(threads), n(size)
    {
        form1.ui.EditROISizeX->setText(QString::number(n));
        form1.ui.EditROISizeY->setText(QString::number(n));
        form1.ui.EditPxlSpc->setText("0.2");
        for (int y = 0; y < n; ++y)
            for (int x = 0; x < n; ++x) {
                const double dx = x - n / 3.0, dy = y - n / 2.0;
                const double v = 800 + 600 * std::exp(-(dx * dx + dy * dy) / (n * 2.0)) + ((x / 8 + y / 8) % 2) * 90;
                samples.push_back(static_cast<long long>(v));
            }
    }

    void FillTable()
    {
        toolkit::TextGrid* grid = form2.ui.StringGridRaw;
        grid->SetColCount(n + 1);
        grid->SetRowCount(n + 1);
        for (int y = 0; y < n; ++y)
            for (int x = 0; x < n; ++x)
                grid->SetCellInt(x + 1, y + 1, samples[static_cast<std::size_t>(y) * n + x]);
        form3.ui.EditNAct->setText("0");
    }
};

void BM_FirstImagePath(benchmark::State& state)
{
    Windows w(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    w.FillTable();
    w.form2.FormActivate();
    for (auto _ : state) {
        w.form3.ui.EditNAct->setText("0");
        w.form3.ButtonNewImageClick();
    }
    if (!w.dialogs.messages.isEmpty())
        state.SkipWithError(w.dialogs.messages.front().toStdString().c_str());
}
BENCHMARK(BM_FirstImagePath)->Apply([](auto* b) { ThreadArgs(b, {1024}); })->Unit(benchmark::kMillisecond);

void BM_HandOff(benchmark::State& state)
{
    Windows w(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    for (auto _ : state) {
        w.FillTable();
        w.form2.FormActivate();
    }
    if (!w.dialogs.messages.isEmpty())
        state.SkipWithError(w.dialogs.messages.front().toStdString().c_str());
    state.counters["peak_MiB"] = PeakResidentMiB();
}
BENCHMARK(BM_HandOff)->Apply([](auto* b) { ThreadArgs(b, {64, 256, 512, 1024}); })->Unit(benchmark::kMillisecond);

} // namespace
