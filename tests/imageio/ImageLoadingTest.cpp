// Images read for the NPS and the command line as the viewer reads them: the three DICOM
// encodings of the phantom give the same samples, raw files follow their names, and what cannot
// be measured is refused.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "Errors.h"
#include "ImageLoading.h"

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

} // namespace
