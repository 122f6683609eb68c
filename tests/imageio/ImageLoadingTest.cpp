// Images read for the NPS and the command line as the viewer reads them: the three DICOM
// encodings of the phantom give the same samples, raw files follow their names, and what cannot
// be measured is refused. A measurement's spacing lies in the detector plane and names its source.
#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "DicomBytes.h"
#include "ElementWalk.h"
#include "Errors.h"
#include "ImageLoading.h"

using dicomtest::DicomBytes;
using imageio::SpacingSource;

namespace {

std::string Sample(const char* name) { return std::string(SAMPLES_DIR) + "/" + name; }

// A file in a fresh temporary folder, removed with the fixture.
class ImageLoading : public ::testing::Test {
protected:
    std::filesystem::path folder = std::filesystem::temp_directory_path() /
                                   ("image-loading-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                                    "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    void SetUp() override { std::filesystem::create_directories(folder); }
    void TearDown() override { std::filesystem::remove_all(folder); }

    std::string Write(const std::string& name, const std::vector<std::uint8_t>& bytes)
    {
        const std::string path = (folder / name).string();
        std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                    static_cast<std::streamsize>(bytes.size()));
        return path;
    }
};

TEST_F(ImageLoading, DicomEncodingsGiveTheSameSamples)
{
    const imageio::LoadedImage explicitVr = imageio::LoadImage(Sample("ct-phantom.dcm"), {});
    ASSERT_GT(explicitVr.width, 0);
    ASSERT_TRUE(explicitVr.pixelMm.has_value());
    EXPECT_GT(*explicitVr.pixelMm, 0.0);
    for (const char* other : {"ct-phantom-implicit.dcm", "ct-phantom-bigendian.dcm"}) {
        const imageio::LoadedImage image = imageio::LoadImage(Sample(other), {});
        EXPECT_EQ(image.width, explicitVr.width) << other;
        EXPECT_EQ(image.height, explicitVr.height) << other;
        EXPECT_EQ(image.pixelMm, explicitVr.pixelMm) << other;
        EXPECT_TRUE(image.samples == explicitVr.samples) << other;
    }
}

TEST_F(ImageLoading, RawFilesFollowTheirNamesAndThePixelRule)
{
    // 3 x 2, 16-bit little-endian words 1, -2, 300, 4, 5, 32767.
    const std::string words = Write("w 3 2 0p25.raw", {1, 0, 0xFE, 0xFF, 0x2C, 0x01, 4, 0, 5, 0, 0xFF, 0x7F});
    imageio::LoadOptions options;
    options.mode = imageio::FileMode::Bits16;
    const imageio::LoadedImage image = imageio::LoadImage(words, options);
    EXPECT_EQ(image.width, 3);
    EXPECT_EQ(image.height, 2);
    EXPECT_EQ(image.pixelMm, 0.25);
    EXPECT_EQ(image.samples, (std::vector<double>{1, -2, 300, 4, 5, 32767}));
    // The offset is added beyond 16 bits, as the picture shows the value; the spacing option wins.
    options.valueOffset = 1;
    options.pixelMm = 0.5;
    const imageio::LoadedImage shifted = imageio::LoadImage(words, options);
    EXPECT_EQ(shifted.samples.back(), 32768);
    EXPECT_EQ(shifted.pixelMm, 0.5);

    const std::string bytes = Write("b 2 2 1p0.raw", {0, 255, 7, 128});
    options = {};
    options.mode = imageio::FileMode::Bits8;
    EXPECT_EQ(imageio::LoadImage(bytes, options).samples, (std::vector<double>{0, 255, 7, 128}));
}

TEST_F(ImageLoading, RefusesWhatCannotBeMeasured)
{
    imageio::LoadOptions raw;
    raw.mode = imageio::FileMode::Bits16;
    const std::string shortFile = Write("s 4 4 1p0.raw", std::vector<std::uint8_t>(31, 1));
    const std::string noSize = Write("plain.raw", std::vector<std::uint8_t>(32, 1));
    EXPECT_THROW(imageio::LoadImage(shortFile, raw), common::InputError);
    EXPECT_THROW(imageio::LoadImage(noSize, raw), common::InputError);
    EXPECT_THROW(imageio::LoadImage((folder / "missing 4 4 1p0.raw").string(), raw), common::FileReadError);
    try {
        imageio::LoadImage(noSize, {});  // DICOM mode, no header
        ADD_FAILURE() << "loaded";
    } catch (const common::InputError& e) {
        EXPECT_NE(std::string(e.what()).find("holds no DICOM image (no Pixel Data element)"), std::string::npos) << e.what();
    }

    imageio::LoadedImage a{"a", 1, 1, 0.1, {0}}, b{"b", 1, 1, 0.2, {0}}, none{"n", 1, 1, std::nullopt, {0}};
    EXPECT_EQ(imageio::CommonPixelSpacing({a, a}), 0.1);
    EXPECT_THROW(imageio::CommonPixelSpacing({a, b}), common::InputError);
    EXPECT_THROW(imageio::CommonPixelSpacing({none}), common::InputError);
}

// The spacing elements a test file states; empty ones are left out.
struct StatedSpacings {
    std::string pixel, imager, detectorElement;
};

std::vector<std::uint8_t> RawDeflated(const std::vector<std::uint8_t>& plain)
{
    z_stream z{};
    deflateInit2(&z, 9, Z_DEFLATED, -MAX_WBITS, 9, Z_DEFAULT_STRATEGY);
    std::vector<std::uint8_t> out(deflateBound(&z, static_cast<uLong>(plain.size())));
    z.next_in = const_cast<std::uint8_t*>(plain.data());
    z.avail_in = static_cast<uInt>(plain.size());
    z.next_out = out.data();
    z.avail_out = static_cast<uInt>(out.size());
    deflate(&z, Z_FINISH);
    out.resize(z.total_out);
    deflateEnd(&z);
    return out;
}

// A 16 x 16 picture of 16-bit words stating `stated`, uncompressed (read by the header reader) or
// deflated (read by the decoder). Its pixel data outweigh its header, as the header reader needs.
std::vector<std::uint8_t> SpacedFile(const StatedSpacings& stated, bool deflated)
{
    DicomBytes set;
    const auto ds = [&](unsigned group, unsigned element, std::string value) {
        if (value.empty())
            return;
        if (value.size() % 2)
            value.push_back(' ');
        set.Explicit(group, element, "DS", value);
    };
    ds(0x0018, 0x1164, stated.imager);
    ds(0x0018, 0x7022, stated.detectorElement);
    set.ExplicitUS(0x0028, 0x0002, 1).Explicit(0x0028, 0x0004, "CS", "MONOCHROME2 ");
    set.ExplicitUS(0x0028, 0x0010, 16).ExplicitUS(0x0028, 0x0011, 16);
    ds(0x0028, 0x0030, stated.pixel);
    set.ExplicitUS(0x0028, 0x0100, 16).ExplicitUS(0x0028, 0x0101, 16);
    set.ExplicitUS(0x0028, 0x0102, 15).ExplicitUS(0x0028, 0x0103, 0);
    set.PixelData(true, dicomtest::Words(256, [](std::size_t i) { return i; }));
    DicomBytes file;
    file.Meta(deflated ? "1.2.840.10008.1.2.1.99" : dicomtest::kExplicitLittle);
    file.Raw(deflated ? RawDeflated(set.bytes) : set.bytes);
    return file.bytes;
}

struct ExpectedSpacing {
    std::optional<double> mm;
    SpacingSource source;
};

// What a measurement's options make of the spacing a file gives: the given spacing beats it, the
// fallback only fills a gap.
ExpectedSpacing Settled(const ExpectedSpacing& file, const imageio::LoadOptions& options)
{
    if (options.pixelMm)
        return {options.pixelMm, SpacingSource::Given};
    if (!file.mm && options.fallbackPixelMm)
        return {options.fallbackPixelMm, SpacingSource::Fallback};
    return file;
}

// Every caller but a measurement sees the spacing the viewer shows: Pixel Spacing or Detector
// Element Spacing, whichever comes later, through the header reader; Pixel Spacing, else Imager
// Pixel Spacing, through the decoder. A measurement takes the detector plane's, the same on both
// paths: Imager Pixel Spacing, else Detector Element Spacing, else Pixel Spacing.
TEST_F(ImageLoading, SpacingLiesInTheDetectorPlaneForMeasurementsAndNamesItsSource)
{
    const ExpectedSpacing none{std::nullopt, SpacingSource::None};
    const ExpectedSpacing pixel{0.136, SpacingSource::PixelSpacing};
    const ExpectedSpacing imager{0.15, SpacingSource::ImagerPixelSpacing};
    const ExpectedSpacing detector{0.139, SpacingSource::DetectorElementSpacing};
    const struct {
        const char* what;
        StatedSpacings stated;
        ExpectedSpacing viewerHeader, viewerDecoded, detectorPlane;
    } cases[] = {
        {"Pixel Spacing only", {"0.136\\0.136", "", ""}, pixel, pixel, pixel},
        {"Imager Pixel Spacing only", {"", "0.15\\0.15", ""}, none, imager, imager},
        {"Detector Element Spacing only", {"", "", "0.139\\0.139"}, detector, none, detector},
        {"Pixel Spacing calibrated to the object, Imager Pixel Spacing", {"0.136\\0.136", "0.15\\0.15", ""}, pixel,
         pixel, imager},
        {"Detector Element Spacing, then Pixel Spacing", {"0.136\\0.136", "", "0.139\\0.139"}, pixel, pixel,
         detector},
        {"no spacing", {"", "", ""}, none, none, none},
        {"an Imager Pixel Spacing that is no number", {"0.136\\0.136", "unknown\\unknown", ""}, pixel, pixel, pixel},
        {"an Imager Pixel Spacing of 0", {"", "0\\0", "0.139\\0.139"}, detector, {0.0, SpacingSource::ImagerPixelSpacing},
         detector},
        {"single values", {"0.136", "0.15", ""}, none, pixel, imager},
    };
    imageio::LoadOptions fallback, given;
    fallback.fallbackPixelMm = given.fallbackPixelMm = 0.2;
    given.pixelMm = 0.1;
    for (const auto& c : cases)
        for (const bool deflated : {false, true}) {
            const std::vector<std::uint8_t> bytes = SpacedFile(c.stated, deflated);
            // The two readers are what this compares; a file on the wrong one would prove nothing.
            ASSERT_EQ(imageio::DecodeReason(bytes).has_value(), deflated) << c.what;
            const std::string path = Write(deflated ? "deflated.dcm" : "plain.dcm", bytes);
            for (const bool detectorPlane : {false, true})
                for (imageio::LoadOptions options : {imageio::LoadOptions{}, fallback, given}) {
                    options.detectorPlane = detectorPlane;
                    const ExpectedSpacing expected = Settled(
                        detectorPlane ? c.detectorPlane : deflated ? c.viewerDecoded : c.viewerHeader, options);
                    const imageio::LoadedImage image = imageio::LoadImage(path, options);
                    const std::string where = std::string(c.what) + (deflated ? ", deflated" : ", uncompressed") +
                                              (detectorPlane ? ", detector plane" : ", as the viewer") +
                                              (options.pixelMm ? ", given" : options.fallbackPixelMm ? ", fallback" : "");
                    EXPECT_EQ(image.pixelMm, expected.mm) << where;
                    EXPECT_EQ(image.spacingSource, expected.source) << where;
                }
        }
}

TEST_F(ImageLoading, RawFilesTakeTheirSpacingFromTheirNames)
{
    const std::vector<std::uint8_t> words(2 * 4 * 4, 1);
    const struct {
        const char* name;
        ExpectedSpacing file;
    } cases[] = {
        {"r 4 4 0p25.raw", {0.25, SpacingSource::FileName}},
        {"r 4 4.raw", {std::nullopt, SpacingSource::None}},
    };
    imageio::LoadOptions plain, fallback, given;
    fallback.fallbackPixelMm = given.fallbackPixelMm = 0.2;
    given.pixelMm = 0.1;
    for (const auto& c : cases) {
        const std::string path = Write(c.name, words);
        for (const bool detectorPlane : {false, true})
            for (imageio::LoadOptions options : {plain, fallback, given}) {
                options.mode = imageio::FileMode::Bits16;
                options.detectorPlane = detectorPlane;
                const ExpectedSpacing expected = Settled(c.file, options);
                const imageio::LoadedImage image = imageio::LoadImage(path, options);
                EXPECT_EQ(image.pixelMm, expected.mm) << c.name;
                EXPECT_EQ(image.spacingSource, expected.source) << c.name;
            }
    }
}

} // namespace
