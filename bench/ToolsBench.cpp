// Viewer tools, against a reference measured in the same run:
//   one wheel step through a folder of 200 raw 512 x 512 16-bit images (the whole load: read,
//   render, automatic window, folder list) vs reading one such file into memory.
#include <QApplication>
#include <QTemporaryDir>
#include <QWheelEvent>
#include <QWindow>
#include <benchmark/benchmark.h>

#include <fstream>
#include <random>
#include <vector>

#include "DialogDouble.h"
#include "ImageFile.h"
#include "Unit1.h"
#include "TestWindows.h"

namespace {

constexpr int kFiles = 200;
constexpr int kSide = 512;

// The folder, written once for every benchmark of the run.
const QTemporaryDir& Folder()
{
    static QTemporaryDir dir;
    static bool written = false;
    if (!written) {
        std::mt19937 rng(11);
        std::vector<char> bytes(static_cast<std::size_t>(kSide) * kSide * 2);
        for (int i = 0; i < kFiles; ++i) {
            for (auto& b : bytes)
                b = static_cast<char>(rng() & 0x0F);  // 12-bit-like values
            std::ofstream(dir.filePath(QString("s%1 512 512 0p5.raw").arg(i, 3, 10, QChar('0'))).toStdString(),
                          std::ios::binary)
                .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        }
        written = true;
    }
    return dir;
}

QString FilePath(int i) { return Folder().filePath(QString("s%1 512 512 0p5.raw").arg(i, 3, 10, QChar('0'))); }

void BM_ReadOneFileReference(benchmark::State& state)
{
    const std::string path = FilePath(0).toStdString();
    for (auto _ : state) {
        std::vector<std::uint8_t> bytes = imageio::ReadWholeFile(path);
        benchmark::DoNotOptimize(bytes.data());
    }
}
BENCHMARK(BM_ReadOneFileReference)->Unit(benchmark::kMicrosecond);

void BM_WheelStep(benchmark::State& state)
{
    toolkit::DialogDouble dialogs;
    TestWindows windows;
    TForm1& form = windows.form1;
    form.show();
    QApplication::setActiveWindow(&form);
    form.ui.RadioGroupMode->setItemIndex(1);
    dialogs.openAnswers.push_back(FilePath(0));
    form.BitBtnLoadClick();
    int delta = 120;
    for (auto _ : state) {
        const int number = form.ui.EditFListNo->text().toInt();
        if (number == kFiles - 1)
            delta = -120;
        else if (number == 0)
            delta = 120;
        QWheelEvent wheel(QPointF(100, 100), QPointF(151, 143), QPoint(), QPoint(0, delta), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(form.windowHandle(), &wheel);
    }
    if (!dialogs.messages.isEmpty() || form.LoadState != 1)
        state.SkipWithError("a wheel step failed");
}
BENCHMARK(BM_WheelStep)->Unit(benchmark::kMicrosecond);

// Parts of a step, to see where its time goes: a load renders twice (once with the reset
// window, once with the automatic one) and lists the folder once.
void BM_StepParts(benchmark::State& state)
{
    toolkit::DialogDouble dialogs;
    TestWindows windows;
    TForm1& form = windows.form1;
    form.ui.RadioGroupMode->setItemIndex(1);
    dialogs.openAnswers.push_back(FilePath(0));
    form.BitBtnLoadClick();
    for (auto _ : state) {
        switch (state.range(0)) {
        case 0:
            form.RenderView();
            break;
        case 1:
            form.ButtonAutoWLClick();  // includes its render
            break;
        default:
            form.ButtonFileListClick();
            break;
        }
    }
}
BENCHMARK(BM_StepParts)->Arg(0)->Arg(1)->Arg(2)->ArgName("render0_auto1_list2")->Unit(benchmark::kMicrosecond);

} // namespace
