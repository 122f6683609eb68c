// Opening a 2048 x 2048 16-bit JPEG Lossless file through the decoder (the walk, GDCM, the words,
// the stream the viewer shows), against GDCM's own decode of the same bytes in the same run.
#include <benchmark/benchmark.h>

#include <QTemporaryDir>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include <gdcmImage.h>
#include <gdcmImageReader.h>
#include <optional>

#include "DicomBytes.h"
#include "DicomDecode.h"
#include "ElementWalk.h"
#include "FrameStream.h"
#include "ImageFile.h"

namespace {

// A phantom-like 12-bit image with noise, compressed by dcmtk's dcmcjpeg (installed by scripts/setup).
const std::vector<std::uint8_t>& JpegLossless2048()
{
    static QTemporaryDir dir;
    static const std::vector<std::uint8_t> bytes = [] {
        const unsigned n = 2048;
        dicomtest::DicomBytes f;
        f.Meta(dicomtest::kExplicitLittle);
        f.Explicit(0x0008, 0x0016, "UI", std::string("1.2.840.10008.5.1.4.1.1.2") + '\0');
        f.Explicit(0x0008, 0x0060, "CS", "CT");
        f.ExplicitUS(0x0028, 0x0002, 1).Explicit(0x0028, 0x0004, "CS", "MONOCHROME2 ");
        f.ExplicitUS(0x0028, 0x0010, n).ExplicitUS(0x0028, 0x0011, n);
        f.ExplicitUS(0x0028, 0x0100, 16).ExplicitUS(0x0028, 0x0101, 12).ExplicitUS(0x0028, 0x0102, 11);
        f.ExplicitUS(0x0028, 0x0103, 0);
        std::uint32_t seed = 12345;
        f.PixelData(true, dicomtest::Words(std::size_t{n} * n, [&](std::size_t i) {
            seed = seed * 1664525u + 1013904223u;
            const double x = static_cast<double>(i % n) - n / 2.0, y = static_cast<double>(i / n) - n / 2.0;
            const int body = x * x + y * y < 0.16 * n * n ? 1000 : 0;
            return body + 24 + static_cast<int>(seed >> 27);
        }));
        const std::string plain = dir.filePath("plain.dcm").toStdString();
        const std::string jpeg = dir.filePath("jpeg.dcm").toStdString();
        std::ofstream(plain, std::ios::binary).write(reinterpret_cast<const char*>(f.bytes.data()),
                                                      static_cast<std::streamsize>(f.Size()));
        if (std::system(("dcmcjpeg -q +e1 '" + plain + "' '" + jpeg + "'").c_str()) != 0)
            std::abort();
        return imageio::ReadWholeFile(jpeg);
    }();
    return bytes;
}

void BM_GdcmDecodeReference(benchmark::State& state)
{
    // GDCM reading the file from memory and decoding it into a buffer of its own size.
    const std::vector<std::uint8_t>& file = JpegLossless2048();
    for (auto _ : state) {
        std::istringstream in(std::string(reinterpret_cast<const char*>(file.data()), file.size()));
        gdcm::ImageReader reader;
        reader.SetStream(in);
        if (!reader.Read())
            state.SkipWithError("GDCM cannot read the file");
        std::vector<char> buffer(reader.GetImage().GetBufferLength());
        if (!reader.GetImage().GetBuffer(buffer.data()))
            state.SkipWithError("GDCM cannot decode the file");
        benchmark::DoNotOptimize(buffer.data());
    }
}
BENCHMARK(BM_GdcmDecodeReference)->Unit(benchmark::kMillisecond);

void BM_OpenJpegLossless2048(benchmark::State& state)
{
    const std::vector<std::uint8_t>& file = JpegLossless2048();
    for (auto _ : state) {
        const std::optional<imageio::DicomPixels> pixels = imageio::DecodeIfNeeded(file);
        if (!pixels) {
            state.SkipWithError("not routed to the decoder");
            break;
        }
        benchmark::DoNotOptimize(imageio::FrameStream(*pixels, 0).data());
    }
    state.counters["file_bytes"] = static_cast<double>(file.size());
}
BENCHMARK(BM_OpenJpegLossless2048)->Unit(benchmark::kMillisecond);

} // namespace
