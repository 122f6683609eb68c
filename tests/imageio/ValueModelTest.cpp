// Every reader of a DICOM file sees the value the file means: the NPS and the command line through
// LoadImage, the viewer (picture, ROI statistics, hand-off) through the decoded frame or the header
// reader and the pixel rule. Each case writes a small file (dcmtk compresses it where the case says
// so) and compares those readers, pixel by pixel, with what pydicom and numpy make of the same file
// (value_model_reference.py) and, where given, with values worked out by hand.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iomanip>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "DicomBytes.h"
#include "DicomDecode.h"
#include "DicomHeader.h"
#include "DicomTagTable.h"
#include "Errors.h"
#include "FrameStream.h"
#include "ImageFile.h"
#include "ImageLoading.h"
#include "PixelRule.h"
#include "RoiBlock.h"
#include "RoiStatistics.h"

namespace {

namespace fs = std::filesystem;
using dicomtest::DicomBytes;

enum class Encoding { Plain, Rle, JpegLossless, JpegLs, JpegBaseline };
enum class Marker { None, DetectorDimensions, Landscape };
enum class Colour { Mono, Rgb, RgbPlanar, YbrFull };

struct HandValue {
    int x, y;
    std::int64_t value;
};

struct Case {
    const char* what;
    const char* id;  // the test's name
    int rows, columns;
    int bitsAllocated, bitsStored;
    bool isSigned;
    Colour colour;
    Encoding encoding;
    Marker marker;
    const char* intercept;   // Rescale Intercept as written; empty for none
    const char* slope;       // Rescale Slope as written; empty for none
    std::int64_t (*stored)(int x, int y, int channel);  // the stored bits, overlay garbage included
    std::vector<HandValue> hand;  // values worked out by hand from the pattern, the intercept added
};

void PrintTo(const Case& c, std::ostream* os) { *os << c.what; }

// ---- Patterns of the stored bits. The ramps differ between (x, y) and (y, x), so an exchange of
// ---- rows and columns shows in them.

std::int64_t Ramp(int x, int y, int) { return (x * 7 + y * 311) % 20000; }
std::int64_t FlatNear40000(int x, int y, int) { return 40000 + x % 5 + 3 * (y % 7); }
// 0, 65535 and 32768 in turn along each row and column.
std::int64_t Extremes(int x, int y, int)
{
    static const std::int64_t values[] = {0, 65535, 32768};
    return values[(x + y) % 3];
}
// -2048 .. 2047, with bits 12 to 15 holding an overlay pattern that a reader must drop.
std::int64_t Signed12WithOverlay(int x, int y, int)
{
    const std::int64_t v = (x * 37 + y * 11) % 4096 - 2048;
    return (v & 0xFFF) | (((x + 2 * y) % 16) << 12);
}
// -4096 .. 4095 in 13 bits, bits 13 to 15 garbage.
std::int64_t Signed13WithOverlay(int x, int y, int)
{
    const std::int64_t v = (x * 53 + y * 17) % 8192 - 4096;
    return (v & 0x1FFF) | (((x + y) % 8) << 13);
}
std::int64_t Unsigned12WithOverlay(int x, int y, int)
{
    return (x * 29 + y * 13) % 4096 | ((x % 4) << 13) | ((y % 2) << 12);
}
// 100000 .. 151441 on 64 x 256: above 16 bits, but within a 16-bit span.
std::int64_t Wide32Narrow(int x, int y, int) { return 100000 + x * 200 + y * 7; }
// -100000 .. 182831 on 64 x 256: a span of 282831, which fits 16 bits once divided by 8.
std::int64_t Wide32Signed(int x, int y, int)
{
    return static_cast<std::uint32_t>(static_cast<std::int32_t>(-100000 + x * 1100 + y * 37));
}
// 0, 2^32 - 1 and 2^31 in turn: the span needs a division by 2^16.
std::int64_t Extremes32(int x, int y, int)
{
    static const std::int64_t values[] = {0, 0xFFFFFFFF, 0x80000000};
    return values[(x + y) % 3];
}
// Within a 16-bit span, but beyond what a signed 32-bit value holds.
std::int64_t Unsigned32Near4e9(int x, int y, int) { return 4000000000 + x * 100 + y; }
// Within the signed 32-bit range, until the intercept is added.
std::int64_t Signed32NearTop(int x, int y, int) { return 2147400000 + x * 100 + y; }
// Smooth colours, so that lossy JPEG stays close to them.
std::int64_t Colours(int x, int y, int channel)
{
    switch (channel) {
    case 0: return x % 256;
    case 1: return (y * 4) % 256;
    default: return (x + 2 * y) % 256;
    }
}

const Case kCases[] = {
    // Non-square matrices: Columns across, Rows down, whatever the landscape markers say.
    {"64 rows x 256 columns, uncompressed", "Wide", 64, 256, 16, 16, false, Colour::Mono, Encoding::Plain, Marker::None,
     "-1024.7", "1", Ramp, {{255, 63, (255 * 7 + 63 * 311) % 20000 - 1024}, {200, 0, 200 * 7 - 1024}}},
    {"256 rows x 64 columns, uncompressed", "Tall", 256, 64, 16, 16, false, Colour::Mono, Encoding::Plain, Marker::None,
     "-1024.7", "1", Ramp, {{63, 255, (63 * 7 + 255 * 311) % 20000 - 1024}}},
    {"64 x 256, uncompressed, DetectorActiveDimensions 300\\400", "WideDetectorDimensions", 64, 256, 16, 16, false,
     Colour::Mono, Encoding::Plain, Marker::DetectorDimensions, "", "", Ramp, {{200, 10, 200 * 7 + 10 * 311}}},
    {"256 x 64, uncompressed, LANDSCAPE", "TallLandscape", 256, 64, 16, 16, false, Colour::Mono, Encoding::Plain,
     Marker::Landscape, "", "", Ramp, {{63, 255, (63 * 7 + 255 * 311) % 20000}}},
    {"64 x 256, RLE, LANDSCAPE", "WideRleLandscape", 64, 256, 16, 16, false, Colour::Mono, Encoding::Rle, Marker::Landscape,
     "-1024.7", "1", Ramp, {{255, 63, (255 * 7 + 63 * 311) % 20000 - 1024}}},
    {"256 x 64, RLE", "TallRle", 256, 64, 16, 16, false, Colour::Mono, Encoding::Rle, Marker::None, "", "", Ramp, {}},
    {"64 x 256, JPEG lossless SV1, DetectorActiveDimensions 300\\400", "WideJpegLosslessDetectorDimensions", 64, 256,
     16, 16, false, Colour::Mono, Encoding::JpegLossless, Marker::DetectorDimensions, "", "", Ramp,
     {{200, 10, 200 * 7 + 10 * 311}}},
    {"256 x 64, JPEG lossless SV1, LANDSCAPE", "TallJpegLosslessLandscape", 256, 64, 16, 16, false, Colour::Mono,
     Encoding::JpegLossless, Marker::Landscape, "-1024.7", "1", Ramp, {}},
    {"64 x 256, JPEG-LS lossless", "WideJpegLs", 64, 256, 16, 16, false, Colour::Mono, Encoding::JpegLs, Marker::None, "", "",
     Ramp, {}},

    // Unsigned 16-bit values above 32767.
    {"unsigned 16-bit flat field near 40000, uncompressed", "Flat40000", 64, 256, 16, 16, false, Colour::Mono,
     Encoding::Plain, Marker::None, "", "", FlatNear40000, {{255, 63, 40000 + 0 + 0}, {200, 20, 40000 + 0 + 18}}},
    {"unsigned 16-bit flat field near 40000, JPEG lossless SV1", "Flat40000JpegLossless", 64, 256, 16, 16, false,
     Colour::Mono, Encoding::JpegLossless, Marker::None, "", "", FlatNear40000, {{254, 62, 40000 + 4 + 18}}},
    // The intercept -0.5 truncates to 0 (floor would give -1); the slope 2.5 is not applied.
    {"unsigned 16-bit at 0 and 65535, uncompressed", "Extremes", 64, 256, 16, 16, false, Colour::Mono, Encoding::Plain,
     Marker::None, "-0.5", "2.5", Extremes, {{0, 0, 0}, {1, 0, 65535}, {2, 0, 32768}, {253, 63, 65535}, {255, 63, 0}}},
    {"unsigned 16-bit at 0 and 65535, RLE", "ExtremesRle", 64, 256, 16, 16, false, Colour::Mono, Encoding::Rle,
     Marker::None, "-0.5", "2.5", Extremes, {{0, 0, 0}, {1, 0, 65535}, {253, 63, 65535}}},

    // Narrow samples in 16-bit words with overlay bits above Bits Stored.
    {"signed 12-bit with overlay bits, uncompressed", "Signed12", 64, 256, 16, 12, true, Colour::Mono, Encoding::Plain,
     Marker::None, "-1024.9", "1", Signed12WithOverlay,
     {{0, 0, -2048 - 1024}, {1, 0, -2011 - 1024}, {255, 63, (255 * 37 + 63 * 11) % 4096 - 2048 - 1024}}},
    {"signed 12-bit with overlay bits, RLE", "Signed12Rle", 64, 256, 16, 12, true, Colour::Mono, Encoding::Rle, Marker::None,
     "-1024.9", "1", Signed12WithOverlay, {{1, 0, -2011 - 1024}}},
    {"signed 12-bit with overlay bits, JPEG lossless SV1", "Signed12JpegLossless", 64, 256, 16, 12, true, Colour::Mono,
     Encoding::JpegLossless, Marker::None, "-1024.9", "1", Signed12WithOverlay, {{1, 0, -2011 - 1024}}},
    {"signed 12-bit with overlay bits, JPEG-LS lossless", "Signed12JpegLs", 64, 256, 16, 12, true, Colour::Mono,
     Encoding::JpegLs, Marker::None, "-1024.9", "1", Signed12WithOverlay, {{1, 0, -2011 - 1024}}},
    {"signed 13-bit with overlay bits, uncompressed", "Signed13", 256, 64, 16, 13, true, Colour::Mono, Encoding::Plain,
     Marker::None, "", "", Signed13WithOverlay, {{0, 0, -4096}, {63, 255, (63 * 53 + 255 * 17) % 8192 - 4096}}},
    {"signed 13-bit with overlay bits, JPEG lossless SV1", "Signed13JpegLossless", 256, 64, 16, 13, true,
     Colour::Mono, Encoding::JpegLossless, Marker::None, "", "", Signed13WithOverlay, {{0, 0, -4096}}},
    {"unsigned 12-bit with overlay bits, uncompressed", "Unsigned12", 64, 256, 16, 12, false, Colour::Mono, Encoding::Plain,
     Marker::None, "100.9", "1", Unsigned12WithOverlay, {{255, 63, (255 * 29 + 63 * 13) % 4096 + 100}}},
    {"unsigned 12-bit with overlay bits, RLE", "Unsigned12Rle", 64, 256, 16, 12, false, Colour::Mono, Encoding::Rle,
     Marker::None, "100.9", "1", Unsigned12WithOverlay, {{3, 1, 3 * 29 + 13 + 100}}},

    // 32-bit samples.
    {"32-bit unsigned above 16 bits within a 16-bit span, uncompressed", "Wide32Narrow", 64, 256, 32, 32, false,
     Colour::Mono, Encoding::Plain, Marker::None, "-1000", "1", Wide32Narrow,
     {{0, 0, 100000 - 1000}, {255, 63, 100000 + 255 * 200 + 63 * 7 - 1000}}},
    // Span 282831: k = 3 is the first with (182831 >> k) - (-100000 >> k) <= 65535 (22853 + 12500);
    // the shift floors, so -99963 gives -12496, not -12495.
    {"32-bit signed spanning more than 16 bits, uncompressed", "Wide32Signed", 64, 256, 32, 32, true, Colour::Mono,
     Encoding::Plain, Marker::None, "-7.9", "1", Wide32Signed,
     {{0, 0, -12500 - 7}, {0, 1, -12496 - 7}, {255, 63, 22853 - 7}, {200, 10, 15046 - 7}}},
    // (2^32 - 1) >> 16 = 65535 and 2^31 >> 16 = 32768; the intercept is added after the division.
    {"32-bit unsigned at 0 and 2^32 - 1, uncompressed", "Extremes32", 64, 256, 32, 32, false, Colour::Mono,
     Encoding::Plain, Marker::None, "5", "1", Extremes32, {{0, 0, 5}, {1, 0, 65540}, {2, 0, 32773}, {255, 63, 5}}},
    {"32-bit signed spanning more than 16 bits, RLE", "Wide32SignedRle", 64, 256, 32, 32, true, Colour::Mono, Encoding::Rle,
     Marker::None, "-7.9", "1", Wide32Signed, {{0, 1, -12496 - 7}, {255, 63, 22853 - 7}}},

    // Colour as luminance. (10, 5) is R 10, G 20, B 20: 2.99 + 11.74 + 2.28 = 17.01.
    {"RGB 8-bit, uncompressed", "Rgb", 64, 256, 8, 8, false, Colour::Rgb, Encoding::Plain, Marker::None, "", "", Colours,
     {{0, 0, 0}, {10, 5, 17}}},
    {"RGB 8-bit, planar, uncompressed", "RgbPlanar", 256, 64, 8, 8, false, Colour::RgbPlanar, Encoding::Plain,
     Marker::None, "", "", Colours, {{10, 5, 17}}},
    {"YBR_FULL 8-bit, uncompressed", "YbrFull", 64, 256, 8, 8, false, Colour::YbrFull, Encoding::Plain, Marker::None,
     "", "", Colours, {{10, 5, 10}, {200, 3, 200}}},
    {"RGB 8-bit, RLE", "RgbRle", 64, 256, 8, 8, false, Colour::Rgb, Encoding::Rle, Marker::None, "", "", Colours,
     {{10, 5, 17}}},
    // Written as RGB; dcmcjpeg's baseline encoder turns it into YBR_FULL_422.
    {"YBR_FULL_422, JPEG baseline", "YbrFull422JpegBaseline", 64, 256, 8, 8, false, Colour::Rgb, Encoding::JpegBaseline,
     Marker::None, "", "", Colours, {}},
};

const Case kBeyond32BitCases[] = {
    {"32-bit unsigned near 4e9 within a 16-bit span, uncompressed", "Unsigned32Near4e9", 64, 256, 32, 32, false,
     Colour::Mono, Encoding::Plain, Marker::None, "", "", Unsigned32Near4e9,
     {{0, 0, 4000000000LL}, {255, 63, 4000000000LL + 25500 + 63}}},
    {"32-bit signed near 2^31 with intercept 1000000, uncompressed", "Signed32NearTopWithIntercept", 64, 256, 32, 32,
     true, Colour::Mono, Encoding::Plain, Marker::None, "1000000", "1", Signed32NearTop,
     {{255, 63, 2147400000LL + 25500 + 63 + 1000000}}},
};

// ---- Writing the files ----

std::string Even(std::string text, char pad)
{
    if (text.size() % 2)
        text.push_back(pad);
    return text;
}

std::vector<std::uint8_t> UncompressedFile(const Case& c)
{
    DicomBytes f;
    f.Meta(dicomtest::kExplicitLittle);
    f.Explicit(0x0008, 0x0016, "UI", Even("1.2.840.10008.5.1.4.1.1.2", '\0'));
    f.Explicit(0x0008, 0x0018, "UI", Even("1.2.826.0.1.3680043.9.7433.1.1", '\0'));
    if (c.marker == Marker::DetectorDimensions)
        f.Explicit(0x0018, 0x7026, "DS", "300\\400 ");
    const bool colour = c.colour != Colour::Mono, planar = c.colour == Colour::RgbPlanar;
    f.ExplicitUS(0x0028, 0x0002, colour ? 3 : 1);
    f.Explicit(0x0028, 0x0004, "CS", c.colour == Colour::YbrFull ? "YBR_FULL" : colour ? "RGB " : "MONOCHROME2 ");
    if (colour)
        f.ExplicitUS(0x0028, 0x0006, planar ? 1 : 0);
    f.ExplicitUS(0x0028, 0x0010, static_cast<unsigned>(c.rows));
    f.ExplicitUS(0x0028, 0x0011, static_cast<unsigned>(c.columns));
    f.Explicit(0x0028, 0x0030, "DS", "0.2\\0.2 ");
    f.ExplicitUS(0x0028, 0x0100, static_cast<unsigned>(c.bitsAllocated));
    f.ExplicitUS(0x0028, 0x0101, static_cast<unsigned>(c.bitsStored));
    f.ExplicitUS(0x0028, 0x0102, static_cast<unsigned>(c.bitsStored - 1));
    f.ExplicitUS(0x0028, 0x0103, c.isSigned ? 1 : 0);
    if (*c.intercept)
        f.Explicit(0x0028, 0x1052, "DS", Even(c.intercept, ' '));
    if (*c.slope)
        f.Explicit(0x0028, 0x1053, "DS", Even(c.slope, ' '));
    if (c.marker == Marker::Landscape)
        f.Explicit(0x2010, 0x0040, "CS", "LANDSCAPE ");

    const int bytes = c.bitsAllocated / 8, channels = colour ? 3 : 1;
    std::string pixels;
    auto put = [&](int x, int y, int channel) {
        const auto v = static_cast<std::uint64_t>(c.stored(x, y, channel));
        for (int b = 0; b < bytes; ++b)
            pixels.push_back(static_cast<char>((v >> (8 * b)) & 0xFF));
    };
    if (planar) {
        for (int channel = 0; channel < channels; ++channel)
            for (int y = 0; y < c.rows; ++y)
                for (int x = 0; x < c.columns; ++x)
                    put(x, y, channel);
    } else {
        for (int y = 0; y < c.rows; ++y)
            for (int x = 0; x < c.columns; ++x)
                for (int channel = 0; channel < channels; ++channel)
                    put(x, y, channel);
    }
    return f.Explicit(0x7FE0, 0x0010, bytes == 1 ? "OB" : "OW", Even(pixels, '\0')).bytes;
}

// ---- Running the tools ----

bool HaveTool(const std::string& tool) { return std::system(("command -v " + tool + " >/dev/null 2>&1").c_str()) == 0; }

bool HavePydicom() { return std::system("/usr/bin/python3 -c 'import numpy, pydicom' >/dev/null 2>&1") == 0; }

std::string Quoted(const fs::path& p) { return "'" + p.string() + "'"; }

// Runs a command; on failure the test fails with what the command printed.
bool RunTool(const std::string& command, const fs::path& log)
{
    if (std::system((command + " >" + Quoted(log) + " 2>&1").c_str()) == 0)
        return true;
    std::ifstream in(log);
    std::stringstream text;
    text << in.rdbuf();
    ADD_FAILURE() << command << " failed:\n" << text.str();
    return false;
}

// The dcmtk commands that compress the uncompressed file and, for JPEG, that decode the result for
// pydicom (here it has no JPEG decoder of its own). The decode never converts colour (+cn), so a
// YBR file keeps the Y samples exactly as the JPEG decoder produced them, and the reference takes
// the Y plane from them: converting to RGB and back would round.
struct Tools {
    std::string compress;  // "dcmcrle" ...; empty for an uncompressed case
    std::string decode;    // empty when pydicom reads the compressed file itself
};

Tools ToolsFor(Encoding e)
{
    switch (e) {
    case Encoding::Plain: return {"", ""};
    case Encoding::Rle: return {"dcmcrle", ""};
    case Encoding::JpegLossless: return {"dcmcjpeg +e1", "dcmdjpeg +cn"};
    case Encoding::JpegLs: return {"dcmcjpls", "dcmdjpls"};
    case Encoding::JpegBaseline: return {"dcmcjpeg +eb", "dcmdjpeg +cn"};
    }
    return {};
}

std::string FirstWord(const std::string& command) { return command.substr(0, command.find(' ')); }

struct Reference {
    long long rows = 0, columns = 0;
    std::string photometric;
    std::vector<std::int64_t> values;  // row-major
    std::int64_t At(int x, int y) const { return values[static_cast<std::size_t>(y) * columns + x]; }
};

Reference ReadReference(const fs::path& path)
{
    Reference r;
    std::ifstream in(path);
    in >> r.rows >> r.columns >> r.photometric;
    std::int64_t v;
    while (in >> v)
        r.values.push_back(v);
    return r;
}

// Pixels where value(x, y) differs from the reference: how many, and the first of them.
template <typename Value>
std::pair<long long, std::string> Differences(const Reference& ref, Value value)
{
    long long count = 0;
    std::ostringstream first;
    for (int y = 0; y < ref.rows; ++y)
        for (int x = 0; x < ref.columns; ++x) {
            const double got = static_cast<double>(value(x, y));
            if (got != static_cast<double>(ref.At(x, y)) && count++ == 0)
                first << std::setprecision(17) << "(" << x << ", " << y << "): expected " << ref.At(x, y) << ", got "
                      << got;
        }
    return {count, first.str()};
}

// ---- The viewer's way in: the decoded frame's stream, or the file itself, read by the header
// ---- reader, as TForm1 loads it; the values come from the pixel rule.

struct ViewerImage {
    std::vector<std::uint8_t> stream;
    long long headerBytes = 0, width = 0, height = 0;
    bool swap = false;
    std::int32_t offset = 0;
    std::string route;

    imageio::PixelSource Source() const
    {
        return {stream, headerBytes, static_cast<std::int32_t>(width), static_cast<std::int32_t>(height), 2};
    }
};

void ReadAsTheViewer(const std::vector<std::uint8_t>& file, const std::optional<imageio::DicomPixels>& decoded,
                     ViewerImage& image)
{
    if (decoded) {
        image.route = "decoded frame";
        image.stream = imageio::FrameStream(*decoded, 0);
        image.headerBytes = static_cast<long long>(decoded->header.size());
        image.width = decoded->columns;
        image.height = decoded->rows;
    } else {
        image.route = "header reader";
        image.stream = file;
    }
    const imageio::DicomHeaderResult h = imageio::ReadDicomHeader(image.stream, TestTagTable());
    ASSERT_TRUE(h.pixelDataFound) << image.route;
    ASSERT_FALSE(h.failure) << image.route;
    image.offset = std::stoi(h.edits.offset);
    image.swap = h.edits.swap.value_or(false);
    if (decoded) {
        EXPECT_EQ(image.offset, decoded->valueOffset) << "the offset the viewer reads from the decoded header";
    } else {
        image.headerBytes = std::stoll(h.edits.header);
        image.width = std::stoll(h.edits.sizeX);
        image.height = std::stoll(h.edits.sizeY);
    }
}

// The pixels compared by name: the corners, the middle, x = 200 where the image is that wide, and
// the hand-computed ones.
std::vector<std::pair<int, int>> ChosenPixels(const Case& c)
{
    std::vector<std::pair<int, int>> pixels = {{0, 0},
                                               {1, 0},
                                               {0, 1},
                                               {c.columns - 1, 0},
                                               {0, c.rows - 1},
                                               {c.columns / 2, c.rows / 2},
                                               {c.columns - 1, c.rows - 1}};
    if (c.columns > 200)
        pixels.push_back({200, c.rows / 3});
    for (const HandValue& h : c.hand)
        pixels.push_back({h.x, h.y});
    return pixels;
}

// What a test needs that the machine may lack: a reason to skip, or nothing.
std::optional<std::string> MissingTool(const Case& c)
{
    if (!HavePydicom())
        return "python3-pydicom or python3-numpy is not installed";
    const Tools tools = ToolsFor(c.encoding);
    for (const std::string& tool : {tools.compress, tools.decode})
        if (!tool.empty() && !HaveTool(FirstWord(tool)))
            return FirstWord(tool) + " (dcmtk) is not installed";
    return std::nullopt;
}

class ValueModel : public ::testing::TestWithParam<Case> {
protected:
    fs::path folder = fs::temp_directory_path() /
                      ("value-model-" + std::to_string(::getpid()) + "-" + GetParam().id);
    void SetUp() override { fs::create_directories(folder); }
    void TearDown() override { fs::remove_all(folder); }

    // Writes the case's file (compressed by dcmtk where the case says so) into `tested` and reads
    // pydicom's values for it into `ref`, checked against the hand-computed ones.
    void WriteFileAndReference(const Case& c, fs::path& tested, Reference& ref)
    {
        const Tools tools = ToolsFor(c.encoding);
        const fs::path source = folder / "source.dcm", log = folder / "tool.log";
        const std::vector<std::uint8_t> uncompressed = UncompressedFile(c);
        std::ofstream(source, std::ios::binary)
            .write(reinterpret_cast<const char*>(uncompressed.data()), static_cast<std::streamsize>(uncompressed.size()));
        tested = source;
        fs::path forPydicom = source;
        if (!tools.compress.empty()) {
            tested = folder / "compressed.dcm";
            ASSERT_TRUE(RunTool(tools.compress + " " + Quoted(source) + " " + Quoted(tested), log));
            forPydicom = tested;
        }
        if (!tools.decode.empty()) {
            forPydicom = folder / "decoded-by-dcmtk.dcm";
            ASSERT_TRUE(RunTool(tools.decode + " " + Quoted(tested) + " " + Quoted(forPydicom), log));
        }
        const fs::path referenceText = folder / "reference.txt";
        ASSERT_TRUE(RunTool(std::string("/usr/bin/python3 '") + VALUE_MODEL_REFERENCE + "' " + Quoted(forPydicom) +
                                " " + Quoted(referenceText),
                            log));
        ref = ReadReference(referenceText);
        ASSERT_EQ(ref.rows, c.rows);
        ASSERT_EQ(ref.columns, c.columns);
        ASSERT_EQ(ref.values.size(), static_cast<std::size_t>(c.rows) * c.columns);
        if (c.encoding == Encoding::JpegBaseline) {
            ASSERT_EQ(ref.photometric.rfind("YBR_FULL", 0), 0u) << "dcmcjpeg was to write YBR, not " << ref.photometric;
        }
        // The reference against the hand computations, so that neither can drift alone.
        for (const HandValue& h : c.hand)
            EXPECT_EQ(ref.At(h.x, h.y), h.value) << "pydicom's reference at (" << h.x << ", " << h.y << ")";
    }
};

TEST_P(ValueModel, EveryReaderSeesTheValueTheFileMeans)
{
    const Case& c = GetParam();
    if (const auto missing = MissingTool(c))
        GTEST_SKIP() << *missing;
    SCOPED_TRACE(c.what);
    fs::path tested;
    Reference ref;
    WriteFileAndReference(c, tested, ref);
    if (HasFatalFailure())
        return;

    // LoadImage, as the NPS and the command line read the file.
    const imageio::LoadedImage loaded = imageio::LoadImage(tested.string(), imageio::LoadOptions{});
    ASSERT_EQ(loaded.width, c.columns) << "width must be Columns";
    ASSERT_EQ(loaded.height, c.rows) << "height must be Rows";
    ASSERT_EQ(loaded.samples.size(), ref.values.size());

    // The viewer's stream and pixel rule, and its ROI statistics over one pixel.
    const std::vector<std::uint8_t> file = imageio::ReadWholeFile(tested.string());
    const std::optional<imageio::DicomPixels> decoded = imageio::DecodeIfNeeded(file);
    ViewerImage viewed;
    ReadAsTheViewer(file, decoded, viewed);
    if (HasFatalFailure())
        return;
    SCOPED_TRACE("viewer route: " + viewed.route);
    ASSERT_EQ(viewed.width, c.columns) << "the viewer's width must be Columns";
    ASSERT_EQ(viewed.height, c.rows) << "the viewer's height must be Rows";
    const imageio::PixelSource source16 = viewed.Source();
    const viewer::SampleRule rule{viewed.swap, viewed.offset};

    for (const auto& [x, y] : ChosenPixels(c)) {
        const std::int64_t expected = ref.At(x, y);
        const std::size_t i = static_cast<std::size_t>(y) * c.columns + x;
        EXPECT_EQ(loaded.samples[i], static_cast<double>(expected)) << "LoadImage at (" << x << ", " << y << ")";
        if (decoded) {
            EXPECT_EQ(imageio::SampleValue(decoded->words[i], false, decoded->valueOffset), expected)
                << "decoded words at (" << x << ", " << y << ")";
        }
        EXPECT_EQ(imageio::SampleValue(imageio::FetchElement(source16, x, y), viewed.swap, viewed.offset), expected)
            << "the viewer's pixel at (" << x << ", " << y << ")";
        const auto stats = viewer::ComputeRoiStatistics(source16, viewer::RoiBlock{x, y, 1, 1}, rule);
        ASSERT_TRUE(stats.has_value()) << "(" << x << ", " << y << ")";
        EXPECT_EQ(stats->mean, static_cast<double>(expected)) << "ROI mean at (" << x << ", " << y << ")";
        EXPECT_EQ(stats->max, expected) << "ROI max at (" << x << ", " << y << ")";
        EXPECT_EQ(stats->min, expected) << "ROI min at (" << x << ", " << y << ")";
    }

    // Then the whole frame.
    const auto [loadCount, loadFirst] =
        Differences(ref, [&](int x, int y) { return loaded.samples[static_cast<std::size_t>(y) * c.columns + x]; });
    EXPECT_EQ(loadCount, 0) << "LoadImage differs from the reference first at " << loadFirst;
    const auto [viewerCount, viewerFirst] = Differences(ref, [&](int x, int y) {
        return imageio::SampleValue(imageio::FetchElement(source16, x, y), viewed.swap, viewed.offset);
    });
    EXPECT_EQ(viewerCount, 0) << "the viewer differs from the reference first at " << viewerFirst;
}

class ValueModelBeyond32Bits : public ValueModel {};

// Values beyond the signed 32-bit range that the pixel rule works in: every reader gives the true
// value or refuses the file with a message, never a value wrapped around 2^32.
TEST_P(ValueModelBeyond32Bits, GivesTheValueOrRefuses)
{
    const Case& c = GetParam();
    if (const auto missing = MissingTool(c))
        GTEST_SKIP() << *missing;
    SCOPED_TRACE(c.what);
    fs::path tested;
    Reference ref;
    WriteFileAndReference(c, tested, ref);
    if (HasFatalFailure())
        return;

    try {
        const imageio::LoadedImage loaded = imageio::LoadImage(tested.string(), imageio::LoadOptions{});
        ASSERT_EQ(loaded.samples.size(), ref.values.size());
        const auto [count, first] =
            Differences(ref, [&](int x, int y) { return loaded.samples[static_cast<std::size_t>(y) * c.columns + x]; });
        EXPECT_EQ(count, 0) << "LoadImage neither gives the value nor refuses; first wrong at " << first;
    } catch (const common::AppError&) {
        // Refused with a message: right.
    }
    try {
        const std::optional<imageio::DicomPixels> decoded = imageio::DecodeIfNeeded(imageio::ReadWholeFile(tested.string()));
        ASSERT_TRUE(decoded.has_value()) << "32-bit samples are decoded";
        const auto [count, first] = Differences(ref, [&](int x, int y) {
            return imageio::SampleValue(decoded->words[static_cast<std::size_t>(y) * c.columns + x], false,
                                        decoded->valueOffset);
        });
        EXPECT_EQ(count, 0) << "the viewer's decoded frame neither gives the value nor is refused; first wrong at "
                            << first;
    } catch (const common::AppError&) {
    }
}

std::string CaseName(const ::testing::TestParamInfo<Case>& info) { return info.param.id; }

INSTANTIATE_TEST_SUITE_P(Cases, ValueModel, ::testing::ValuesIn(kCases), CaseName);
INSTANTIATE_TEST_SUITE_P(Cases, ValueModelBeyond32Bits, ::testing::ValuesIn(kBeyond32BitCases), CaseName);

} // namespace
