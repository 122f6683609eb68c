// Fuzz target: the decoder over any bytes. Whatever it opens must hold the words its sizes state,
// and the stream it builds must be one the header scanner finds the pixels in. Refusals are
// DecodeErrors; anything else escaping, a crash or a read outside the input is a finding.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "DicomDecode.h"
#include "DicomHeader.h"
#include "DicomTagTable.h"
#include "ElementWalk.h"
#include "FrameStream.h"

namespace {

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace

// A smaller quarantine keeps the many freed decode buffers from swelling the run's memory.
extern "C" const char* __asan_default_options() { return "quarantine_size_mb=32"; }

// Files on which the codec aborted, crashed or hung: the helper took the blow and the file was
// refused. Counted and reported at the end of the run, since they are the codec library's faults.
std::size_t helperStops = 0;
[[maybe_unused]] const int reportAtExit = std::atexit([] {
    std::fprintf(stderr, "decoder helper stopped on %zu input(s)\n", helperStops);
});

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::span<const std::uint8_t> file(data, size);
    (void)imageio::DecodeReason(file);
    imageio::DicomPixels pixels;
    try {
        // A small limit (the samples need 384 KiB at most) keeps each input fast and small; the
        // checks before the library are the same.
        pixels = imageio::DecodeDicomBytes(file, imageio::DecodeLimits{std::uint64_t{1} << 20, std::chrono::seconds(3)});
    } catch (const imageio::DecodeError& e) {
        if (std::strstr(e.what(), "the decoder stopped on this file"))
            ++helperStops;
        return 0;
    }
    const std::size_t frame = static_cast<std::size_t>(pixels.columns) * static_cast<std::size_t>(pixels.rows);
    Check(pixels.frames >= 1 && pixels.words.size() == frame * static_cast<std::size_t>(pixels.frames));
    if (frame > (1u << 18))
        return 0;  // the scanner's walk over a large stream only costs time here
    const std::vector<std::uint8_t> stream = imageio::FrameStream(pixels, pixels.frames - 1);
    const imageio::DicomHeaderResult header = imageio::ReadDicomHeader(stream, TestTagTable());
    Check(header.pixelDataFound);
    return 0;
}
