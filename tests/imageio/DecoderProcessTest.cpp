// The codec runs in a helper process: whatever it does on a file, this process goes on, and the
// file is refused with its transfer syntax named. The helper is made to misbehave on purpose
// through its test switch, so the handling is proven without a file that crashes the codec.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "DecodeError.h"
#include "DecoderProcess.h"
#include "DicomDecode.h"
#include "ElementWalk.h"
#include "ImageFile.h"

namespace {

std::vector<std::uint8_t> Sample(const std::string& name)
{
    return imageio::ReadWholeFile(std::string(SAMPLES_DIR) + "/" + name);
}

class HelperSwitch {
public:
    explicit HelperSwitch(const char* action) { ::setenv("SPECTRUM_DECODER_TEST", action, 1); }
    ~HelperSwitch() { ::unsetenv("SPECTRUM_DECODER_TEST"); }
};

// The JPEG-LS phantom as a request, the way the decoder sends it.
struct PhantomRequest {
    std::vector<std::uint8_t> file = Sample("compressed/ct-phantom-jpegls.dcm");
    imageio::DicomFacts facts = imageio::WalkDicom(file);
    imageio::CodecRequest request;
    PhantomRequest()
    {
        request.transferSyntax = facts.transferSyntax;
        request.photometric = "MONOCHROME2";
        request.columns = 256;
        request.rows = 256;
        request.bitsAllocated = 16;
        request.bitsStored = 16;
        request.pixelRepresentation = static_cast<std::uint16_t>(facts.pixelRepresentation);
        request.need = 256 * 256 * 2;
        request.fragments.assign(facts.fragments.begin() + 1, facts.fragments.end());
    }
};

TEST(DecoderProcess, TheHelperDecodesWhatTheFileHolds)
{
    PhantomRequest phantom;
    std::vector<char> out(phantom.request.need);
    const imageio::CodecResult result = imageio::DecodeInHelper(
        phantom.request, [&] { return out.data(); }, common::Text::Verbatim("JPEG-LS"));
    ASSERT_TRUE(result.decoded) << imageio::CodecFailureText(result).Plain();
    // The same words as the uncompressed phantom.
    const imageio::DicomPixels original = imageio::DecodeDicomBytes(Sample("compressed/ct-phantom-rle.dcm"));
    ASSERT_EQ(original.valueShift, 0);
    const auto* words = reinterpret_cast<const std::uint16_t*>(out.data());
    for (std::size_t i = 0; i < original.words.size(); i += 97)
        EXPECT_EQ(words[i], original.words[i]) << i;
}

TEST(DecoderProcess, AMisbehavingHelperBecomesARefusal)
{
    const struct {
        const char* action;
        const char* says;
    } cases[] = {
        {"abort", "it aborted"},
        {"hang", "it did not finish in time"},
        {"run-program", "it tried something a decoder may not do"},
    };
    for (const auto& c : cases) {
        PhantomRequest phantom;
        std::vector<char> out(phantom.request.need);
        const HelperSwitch misbehave(c.action);
        try {
            imageio::DecodeInHelper(phantom.request, [&] { return out.data(); },
                                    common::Text::Verbatim("JPEG-LS Lossless (1.2.840.10008.1.2.4.80)"),
                                    {std::chrono::milliseconds(1500)});
            ADD_FAILURE() << c.action << ": decoded";
        } catch (const imageio::DecodeError& e) {
            const std::string text = e.what();
            EXPECT_NE(text.find("(JPEG-LS Lossless (1.2.840.10008.1.2.4.80)): the decoder stopped on this file"),
                      std::string::npos) << c.action << ": " << text;
            EXPECT_NE(text.find(c.says), std::string::npos) << c.action << ": " << text;
        }
    }
}

TEST(DecoderProcess, TheHelperCannotCreateFiles)
{
    // The helper ends with a code of its own when it manages to create a file; the filter makes
    // the attempt fail and the decode goes on.
    const std::filesystem::path escape = "/tmp/spectrum-decoder-escape";
    std::filesystem::remove(escape);
    PhantomRequest phantom;
    std::vector<char> out(phantom.request.need);
    const HelperSwitch misbehave("write-file");
    EXPECT_TRUE(imageio::DecodeInHelper(
                    phantom.request, [&] { return out.data(); }, common::Text::Verbatim("JPEG-LS"))
                    .decoded);
    EXPECT_FALSE(std::filesystem::exists(escape));
}

TEST(DecoderProcess, AFileTheCodecAbortsOnLeavesTheCallerRunning)
{
    // Through the whole decoder: the refusal names the file's transfer syntax, and a good file
    // opens right after it.
    {
        const HelperSwitch misbehave("abort");
        try {
            imageio::DecodeDicomBytes(Sample("compressed/ct-phantom-j2k.dcm"));
            ADD_FAILURE() << "decoded";
        } catch (const imageio::DecodeError& e) {
            EXPECT_NE(std::string(e.what()).find("JPEG 2000 Lossless"), std::string::npos) << e.what();
        }
    }
    EXPECT_EQ(imageio::DecodeDicomBytes(Sample("compressed/ct-phantom-j2k.dcm")).words,
              imageio::DecodeDicomBytes(Sample("compressed/ct-phantom-rle.dcm")).words);
}

} // namespace
