// The reader's refusals and summary lines: composed from the program's words, nested reasons and
// the file's values, they read as before in their source form and show in either language with
// every value filled; the standard's names of transfer syntaxes stay as they are.
#include <gtest/gtest.h>

#include <functional>

#include "DicomBytes.h"
#include "DicomDecode.h"
#include "FrameStream.h"
#include "ImageLoading.h"
#include "TransferSyntax.h"
#include "ShownIn.h"

using dicomtest::DicomBytes;

namespace {

// A 4 x 4 8-bit image whose Rescale Intercept is `intercept`; `cut` bytes of its pixels missing.
std::vector<std::uint8_t> SmallFile(const std::string& intercept, std::size_t cut = 0)
{
    DicomBytes f;
    f.Meta(dicomtest::kExplicitLittle);
    f.ExplicitUS(0x0028, 0x0002, 1).Explicit(0x0028, 0x0004, "CS", "MONOCHROME2 ");
    f.ExplicitUS(0x0028, 0x0010, 4).ExplicitUS(0x0028, 0x0011, 4);
    f.ExplicitUS(0x0028, 0x0100, 8).ExplicitUS(0x0028, 0x0101, 8).ExplicitUS(0x0028, 0x0102, 7);
    f.ExplicitUS(0x0028, 0x0103, 0).Explicit(0x0028, 0x1052, "DS", intercept);
    f.Explicit(0x7FE0, 0x0010, "OB", std::string(16, '\0'));
    f.bytes.resize(f.bytes.size() - cut);
    return f.bytes;
}

TEST(MessageLanguage, RefusalsAndSummaryLinesReadAsBeforeAndShowInBothLanguages)
{
    imageio::DicomPixels decoded;
    decoded.syntaxText = imageio::TransferSyntaxText("1.2.3.4");
    decoded.frames = 3;
    decoded.codecNotes = {"Invalid lossless scan"};
    const std::string syntax = "Explicit VR Little Endian (1.2.840.10008.1.2.1)";
    const struct {
        const char* what;
        common::Text text;
        std::string plain, english, japanese;
    } cases[] = {
        {"a walk that runs out of bytes", Raised([] { imageio::DecodeDicomBytes(SmallFile("0 ", 6)); }),
         "Cannot read this DICOM file (" + syntax +
             "): element (7FE0,0010) needs 16 bytes, but the file ends 10 bytes later.",
         "Cannot read this DICOM file (" + syntax +
             "): element (7FE0,0010) needs 16 bytes, but the file ends 10 bytes later.",
         "この DICOM ファイルは読めません (" + syntax +
             "): 要素 (7FE0,0010) には 16 バイト必要ですが、ファイルは 10 バイト先で終わっています。"},
        {"a decoder's refusal", Raised([] { imageio::DecodeDicomBytes(SmallFile("-1024(")); }),
         "Cannot open this DICOM file (" + syntax + "): its Rescale Intercept \"-1024(\" is not a number it can use.",
         "Cannot open this DICOM file (" + syntax + "): its Rescale Intercept \"-1024(\" is not a number it can use.",
         "この DICOM ファイルは開けません (" + syntax + "): Rescale Intercept \"-1024(\" は使える数値ではありません。"},
        {"a load option", Raised([] { imageio::ParseFileMode("12bit"); }),
         "The mode must be 8bit, 16bit or dicom, not '12bit'.", "The mode must be 8bit, 16bit or dicom, not '12bit'.",
         "モードは 8bit、16bit、dicom のいずれかです ('12bit' は使えません)。"},
        {"a summary line naming an unknown syntax", imageio::DecodedSummaryLines(decoded, 1).at(0),
         "Decoded : transfer syntax 1.2.3.4", "Decoded : transfer syntax 1.2.3.4", "デコード : 転送構文 1.2.3.4"},
        {"the frame line", imageio::DecodedSummaryLines(decoded, 1).at(1), "frame 2 of 3", "frame 2 of 3",
         "フレーム 2 / 3"},
        {"a spacing's source", imageio::SpacingSourceText(imageio::SpacingSource::ImagerPixelSpacing),
         "Imager Pixel Spacing (0018,1164)", "Imager Pixel Spacing (0018,1164)", "イメージャ画素間隔 (0018,1164)"},
        {"the codec's words stay its own", imageio::DamageWarning(decoded).value(),
         "The decoder reported a problem with this file (Invalid lossless scan). The image is shown, but its pixels "
         "may be wrong; measure it only if you accept that.",
         "The decoder reported a problem with this file (Invalid lossless scan). The image is shown, but its pixels "
         "may be wrong; measure it only if you accept that.",
         "デコーダがこのファイルの問題を報告しました (Invalid lossless "
         "scan)。画像は表示しますが、画素が正しくない可能性が"
         "あります。それを承知の場合にのみ測定してください。"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.text.Plain(), c.plain) << c.what;
        EXPECT_EQ(ShownIn(i18n::Language::English, c.text), c.english) << c.what;
        EXPECT_EQ(ShownIn(i18n::Language::Japanese, c.text), c.japanese) << c.what;
    }
    // The summary in its source form, as a log keeps it.
    EXPECT_EQ(imageio::DecodedSummary(decoded, 1),
              "Decoded : transfer syntax 1.2.3.4\r\nframe 2 of 3\r\n"
              "WARNING, damaged? The decoder reported: Invalid lossless scan\r\n");
}

}  // namespace
