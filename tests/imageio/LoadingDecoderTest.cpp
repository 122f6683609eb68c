// The command line and the NPS window load decoded files as the viewer shows them.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <unistd.h>

#include "DecodeError.h"
#include "Errors.h"
#include "FrameStream.h"
#include "ImageFile.h"
#include "ImageLoading.h"
#include "DicomDecode.h"

namespace {

std::string SamplePath(const std::string& name) { return std::string(SAMPLES_DIR) + "/" + name; }

imageio::LoadedImage Decoded(const std::string& path) { return imageio::LoadImage(path, {}); }

TEST(LoadingDecoder, LosslessFilesLoadAsTheUncompressedOriginal)
{
    const imageio::LoadedImage original = Decoded(SamplePath("ct-phantom.dcm"));
    ASSERT_EQ(original.width * original.height, 256 * 256);
    for (const char* name : {"compressed/ct-phantom-jpeg-lossless.dcm", "compressed/ct-phantom-jpegls.dcm",
                             "compressed/ct-phantom-rle.dcm", "compressed/ct-phantom-j2k.dcm",
                             "compressed/ct-phantom-deflated.dcm", "compressed/ct-phantom-true-bigendian.dcm",
                             "compressed/ct-phantom-3frames-rle.dcm"}) {
        const imageio::LoadedImage image = Decoded(SamplePath(name));
        EXPECT_EQ(image.width, original.width) << name;
        EXPECT_EQ(image.height, original.height) << name;
        EXPECT_EQ(image.pixelMm, original.pixelMm) << name;
        EXPECT_EQ(image.samples, original.samples) << name;  // frame 1 of the three-frame file
    }
}

TEST(LoadingDecoder, FilesTheHeaderReaderShowsAreNotDecoded)
{
    EXPECT_FALSE(imageio::DecodeIfNeeded(imageio::ReadWholeFile(SamplePath("ct-phantom.dcm"))));
    EXPECT_FALSE(imageio::DecodeIfNeeded(imageio::ReadWholeFile(SamplePath("ct-phantom-implicit.dcm"))));
}

TEST(LoadingDecoder, ACorruptCompressedFileIsRefusedWithItsSyntax)
{
    std::vector<std::uint8_t> bytes = imageio::ReadWholeFile(SamplePath("compressed/ct-phantom-jpeg-lossless.dcm"));
    bytes.resize(bytes.size() - 600);  // the last fragment cut short
    const auto path = std::filesystem::temp_directory_path() / ("cut-" + std::to_string(::getpid()) + ".dcm");
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                static_cast<std::streamsize>(bytes.size()));
    try {
        Decoded(path.string());
        ADD_FAILURE() << "no refusal";
    } catch (const imageio::DecodeError& e) {
        EXPECT_NE(std::string(e.what()).find("1.2.840.10008.1.2.4.70"), std::string::npos) << e.what();
    }
    std::filesystem::remove(path);
}

TEST(LoadingDecoder, AFileDecodedWithAWarningIsMeasuredOnlyWhenAccepted)
{
    // The scan header's end of selection (0 in a lossless scan) set to 33: the JPEG codec warns
    // ("Invalid lossless parameters") and still gives pixels.
    std::vector<std::uint8_t> bytes = imageio::ReadWholeFile(SamplePath("compressed/ct-phantom-jpeg-lossless.dcm"));
    const std::uint8_t sos[] = {0xFF, 0xDA};
    const auto scan = std::search(bytes.begin(), bytes.end(), std::begin(sos), std::end(sos));
    ASSERT_NE(scan, bytes.end());
    ASSERT_EQ(scan[4], 1);  // one component: Ss and Se follow its two bytes
    scan[8] = 33;
    const auto path = std::filesystem::temp_directory_path() / ("warned-" + std::to_string(::getpid()) + ".dcm");
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                static_cast<std::streamsize>(bytes.size()));
    const imageio::DicomPixels pixels = imageio::DecodeDicomBytes(bytes);
    ASSERT_FALSE(pixels.codecNotes.empty());
    EXPECT_NE(imageio::DecodedSummary(pixels, 0).find("WARNING, damaged? The decoder reported: "), std::string::npos);
    try {
        imageio::LoadImage(path.string(), {});
        ADD_FAILURE() << "measured without being accepted";
    } catch (const common::InputError& e) {
        EXPECT_NE(std::string(e.what()).find("The decoder reported damage in " + path.string()), std::string::npos)
            << e.what();
    }
    imageio::LoadOptions accept;
    accept.acceptDamaged = true;
    const imageio::LoadedImage image = imageio::LoadImage(path.string(), accept);
    // The codec's own words reach the user as it wrote them, never translated.
    std::vector<std::string> notes;
    for (const common::Text& note : image.notes) {
        EXPECT_EQ(note.Context(), nullptr) << note.Plain();
        notes.push_back(note.Plain());
    }
    EXPECT_EQ(notes, pixels.codecNotes);
    EXPECT_EQ(image.width * image.height, 256 * 256);
    std::filesystem::remove(path);
}

} // namespace
