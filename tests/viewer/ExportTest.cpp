#include <gtest/gtest.h>

#include "Errors.h"
#include "ExportHeaderText.h"
#include "ExportTrim.h"
#include "Words.h"

namespace {

TEST(ExportTrim, FileNames)
{
    const struct {
        const char* chosen;
        const char* spacing;
        const char* name;
    } cases[] = {
        {"C:\\data\\chest.raw", "0.35", "C:\\data\\chest 64 32 0p35.bin"},
        {"/data/chest.raw", "0.35", "/data/chest 64 32 0p35.bin"},
        // A dot in a folder name stays: the file goes where the user chose.
        {"/old.data/chest.raw", "0.35", "/old.data/chest 64 32 0p35.bin"},
        {"C:\\old.data\\chest.raw", "0.35", "C:\\old.data\\chest 64 32 0p35.bin"},
        {"/d/knee 256 256 0p39.raw", "0.39", "/d/knee 256 256 0p39 64 32 0p39.bin"},
        {"/d/a.b.c", "1", "/d/a 64 32 1.bin"},
        {"/d/noext", "", "/d/noext 64 32 .bin"},
        {"/d/x.raw", "1.2.3", "/d/x 64 32 1p2.3.bin"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(viewer::TrimmedFileName(c.chosen, 64, 32, c.spacing), c.name) << c.chosen;
}

TEST(ExportTrim, BytesAsStored)
{
    // 4 x 3 image after a 2-byte header; words 0xHHLL with a distinct pair per pixel.
    std::vector<std::uint8_t> stream = {0xAA, 0xBB};
    for (int i = 0; i < 12; ++i) {
        stream.push_back(static_cast<std::uint8_t>(i));
        stream.push_back(static_cast<std::uint8_t>(0x80 + i));
    }
    imageio::PixelSource source{stream, 2, 4, 3, 2};
    EXPECT_EQ(viewer::TrimmedBytes(source, {1, 1, 2, 2}),
              (std::vector<std::uint8_t>{5, 0x85, 6, 0x86, 9, 0x89, 10, 0x8A}));

    // 8-bit: each byte becomes a little-endian word, so the file reads back in 16-bit mode.
    const std::vector<std::uint8_t> bytes8 = {10, 20, 30, 200, 250, 60};
    imageio::PixelSource source8{bytes8, 0, 3, 2, 1};
    EXPECT_EQ(viewer::TrimmedBytes(source8, {1, 0, 2, 2}), (std::vector<std::uint8_t>{20, 0, 30, 0, 250, 0, 60, 0}));
}

TEST(ExportTrim, RefusesBlocksWithoutSamplesOrOutsideTheImage)
{
    std::vector<std::uint8_t> stream(4 * 3 * 2, 1);
    imageio::PixelSource source{stream, 0, 4, 3, 2};
    const viewer::RoiBlock refused[] = {{0, 0, 0, 2}, {0, 0, 2, -1}, {-1, 0, 2, 2}, {3, 0, 2, 1}, {0, 2, 1, 2}};
    for (const auto& b : refused)
        EXPECT_THROW(viewer::TrimmedBytes(source, b), common::InputError) << b.x0 << "," << b.y0;
    // A header offset that pushes the block past the end of the file.
    imageio::PixelSource shifted{stream, 2, 4, 3, 2};
    EXPECT_THROW(viewer::TrimmedBytes(shifted, {3, 2, 1, 1}), common::InputError);
}

TEST(ExportTrim, ValuesBeyondSignedWordsAreNamedBeforeWriting)
{
    // 2 x 2 words; the note speaks of the values every tool shows (word + Offset), not of the words.
    const struct {
        const char* what;
        std::vector<int> words;
        viewer::SampleRule rule;
        const char* note;  // nullptr: every value fits a signed word, nothing to say
    } cases[] = {
        {"CT values with an intercept", {0xFC18, 0, 1000, 24}, {false, -1024}, nullptr},
        {"edges of a signed word", {0x8000, 0x7FFF, 0, 0}, {false, 0}, nullptr},
        {"unsigned 40000 stored shifted by 32768", {7232, 7233, 7232, 7232}, {false, 32768},
         "The ROI's values run from 40000 to 40001, beyond what a signed 16-bit word holds. The file keeps the words "
         "as stored; to get these values back, open it in 16bit with Offset 32768 (other programs: 16-bit signed "
         "raw, plus 32768)."},
        {"below a signed word", {0x8000, 0, 0, 0}, {false, -1}, "from -32769 to -1"},
        {"swapped words", {0x0100, 0, 0, 0}, {true, 32767}, "from 32767 to 32768"},
        {"swapped words, the Offset to give", {0x0100, 0, 0, 0}, {true, 32767}, "Offset 32767 and Swap checked"},
    };
    for (const auto& c : cases) {
        const std::vector<std::uint8_t> bytes = Words(c.words);
        const imageio::PixelSource source{bytes, 0, 2, 2, 2};
        const std::optional<common::Text> text = viewer::TrimmedValuesNote(source, {0, 0, 2, 2}, c.rule);
        const std::optional<std::string> note = text ? std::optional(text->Plain()) : std::nullopt;
        EXPECT_EQ(note.has_value(), c.note != nullptr) << c.what << ": " << note.value_or("");
        if (note && c.note)
            EXPECT_NE(note->find(c.note), std::string::npos) << c.what << ": " << *note;
    }
}

TEST(ExportHeaderText, KeepsTitleAndEvenGroupsBelowF000)
{
    std::vector<std::array<std::string, 7>> rows = {
        {" No", "Group", "Element", "VR", "CHR#", "Name", "Value"},
        {"  1", "0008", "0060", "CS", "0002", "Modality", "CT"},
        {"  2", "0009", "1001", "", "0002", "", "x"},
        {"  3", "0010", "0010", "PN", "0004", "PatientName", "Doe"},
        {"", "", "", "SQ", "", "", ""},
        {"  5", "7FE0", "0010", "OW", "0000", "PixelData", ""},
        {"  6", "FFFE", "E000", "", "0000", "", ""},
    };
    EXPECT_EQ(viewer::HeaderClipboardText(rows),
              " No\tGroup\tElement\tVR\tCHR#\tName\tValue\r\n"
              "  1\t0008\t0060\tCS\t0002\tModality\tCT\r\n"
              "  3\t0010\t0010\tPN\t0004\tPatientName\tDoe\r\n"
              "\t\t\tSQ\t\t\t\r\n"
              "  5\t7FE0\t0010\tOW\t0000\tPixelData\t\r\n");
    // A NUL inside a value is dropped rather than cutting the copy short.
    rows = {rows[0], {"  1", "0008", "0070", "LO", "0003", "Manufacturer", std::string("A\0B", 3)}, rows[3]};
    EXPECT_EQ(viewer::HeaderClipboardText(rows), " No\tGroup\tElement\tVR\tCHR#\tName\tValue\r\n"
                                                 "  1\t0008\t0070\tLO\t0003\tManufacturer\tAB\r\n"
                                                 "  3\t0010\t0010\tPN\t0004\tPatientName\tDoe\r\n");
}

} // namespace
