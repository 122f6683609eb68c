// DICOM header figures, each against a reference measured in the same run:
//   reading the header of a 512 x 512 16-bit file vs reading that file into memory;
//   the window's header read (grid, summary, edits) for comparison.
#include <QApplication>
#include <benchmark/benchmark.h>

#include <QTemporaryDir>
#include <fstream>
#include <sstream>

#include "DialogDouble.h"
#include "DicomBytes.h"
#include "DicomHeader.h"
#include "ImageFile.h"
#include "Unit1.h"
#include "TestWindows.h"

namespace {

const std::string& SampleFile()
{
    static QTemporaryDir dir;
    static const std::string path = [] {
        const std::string p = dir.filePath("ct.dcm").toStdString();
        const dicomtest::DicomBytes file = dicomtest::CtLikeFile(512, 512);
        std::ofstream(p, std::ios::binary).write(reinterpret_cast<const char*>(file.bytes.data()),
                                                  static_cast<std::streamsize>(file.Size()));
        return p;
    }();
    return path;
}

imageio::DicomDictionary LoadTable()
{
    std::ifstream in(DICOM_TAGS_FILE, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return imageio::DicomDictionary(text.str());
}

void BM_ReadFileReference(benchmark::State& state)
{
    const std::string& path = SampleFile();
    for (auto _ : state)
        benchmark::DoNotOptimize(imageio::ReadWholeFile(path).data());
}
BENCHMARK(BM_ReadFileReference)->Unit(benchmark::kMicrosecond);

void BM_ReadDicomHeader512(benchmark::State& state)
{
    const std::vector<std::uint8_t> stream = imageio::ReadWholeFile(SampleFile());
    const imageio::DicomDictionary table = LoadTable();
    for (auto _ : state) {
        imageio::DicomHeaderResult header = imageio::ReadDicomHeader(stream, table);
        benchmark::DoNotOptimize(header.rows.data());
    }
}
BENCHMARK(BM_ReadDicomHeader512)->Unit(benchmark::kMicrosecond);

// Building the name index from the table text, done once after start-up or a change of the table.
void BM_BuildTagIndex(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(LoadTable().NameOf(0x0028, 0x0010).size());
}
BENCHMARK(BM_BuildTagIndex)->Unit(benchmark::kMicrosecond);

void BM_WindowReadDicomHeader512(benchmark::State& state)
{
    toolkit::DialogDouble dialogs;
    TestWindows windows;
    TForm1& form = windows.form1;
    form.ImageStream = imageio::ReadWholeFile(SampleFile());
    form.ReadDicomHeader();  // builds the name index once, as the first load after start-up does
    for (auto _ : state)
        form.ReadDicomHeader();
}
BENCHMARK(BM_WindowReadDicomHeader512)->Unit(benchmark::kMicrosecond);

// A crafted 32 MB file listing 1.86 million elements: what the reader and the window do with it.
const std::vector<std::uint8_t>& CraftedStream()
{
    static const std::vector<std::uint8_t> stream = dicomtest::ManyElementsFile(1'860'000).bytes;
    return stream;
}

void BM_ReadCraftedHeader(benchmark::State& state)
{
    const imageio::DicomDictionary table = LoadTable();
    for (auto _ : state) {
        imageio::DicomHeaderResult header = imageio::ReadDicomHeader(CraftedStream(), table);
        state.counters["rows"] = static_cast<double>(header.rows.size());
        benchmark::DoNotOptimize(header.rows.data());
    }
}
BENCHMARK(BM_ReadCraftedHeader)->Unit(benchmark::kMillisecond)->Iterations(2);

void BM_WindowReadCraftedHeader(benchmark::State& state)
{
    toolkit::DialogDouble dialogs;
    TestWindows windows;
    TForm1& form = windows.form1;
    form.ImageStream = CraftedStream();
    for (auto _ : state) {
        form.ReadDicomHeader();
        state.counters["grid_rows"] = form.ui.StringGridDICOM->rowCount();
    }
}
BENCHMARK(BM_WindowReadCraftedHeader)->Unit(benchmark::kMillisecond)->Iterations(2);

} // namespace
