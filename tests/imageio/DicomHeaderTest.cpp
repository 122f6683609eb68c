#include <gtest/gtest.h>

#include <functional>

#include "DicomBytes.h"
#include "DicomHeader.h"
#include "DicomTagTable.h"
#include "DicomTagActions.h"
#include "Errors.h"

using dicomtest::DicomBytes;
using imageio::DicomRow;

namespace {

imageio::DicomHeaderResult Read(const DicomBytes& file) { return imageio::ReadDicomHeader(file.bytes, TestTagTable()); }

// The rows without the number column, for comparing listings.
std::vector<std::vector<std::string>> Columns1to6(const std::vector<DicomRow>& rows)
{
    std::vector<std::vector<std::string>> out;
    for (const auto& r : rows)
        out.emplace_back(r.begin() + 1, r.end());
    return out;
}

// A small file: the meta group, the given elements (already encoded), then 32 x 32 pixels, enough
// to keep the pixel tag in the first half of the file.
DicomBytes With(const std::function<void(DicomBytes&)>& elements, bool explicitPixels = true)
{
    DicomBytes f;
    f.Meta(dicomtest::kExplicitLittle);
    elements(f);
    f.PixelData(explicitPixels, std::vector<std::uint8_t>(2048, 0));  // blank once trimmed
    return f;
}

TEST(DicomHeader, ExplicitLittleEndianCtFile)
{
    const DicomBytes file = dicomtest::CtLikeFile(512, 512);
    const auto h = Read(file);
    ASSERT_TRUE(h.pixelDataFound);
    EXPECT_FALSE(h.failure);
    const std::vector<DicomRow> expected = {
        {"  1", "0002", "0002", "UI", "001A", "MediaStorageSOPClassUID", "1.2.840.10008.5.1.4.1.1.2"},
        {"  2", "0002", "0010", "UI", "0014", "TransferSyntaxUID", "1.2.840.10008.1.2.1"},
        {"  3", "0008", "0060", "CS", "0002", "Modality", "CT"},
        {"  4", "0008", "1090", "LO", "000A", "ManufacturerModelName", "Scanner 64"},
        {"  5", "0018", "0050", "DS", "0002", "SliceThickness", "5"},
        {"  6", "0018", "0060", "DS", "0004", "KVP", "120"},
        {"  7", "0018", "1100", "DS", "0004", "ReconstructionDiameter", "256"},
        {"  8", "0028", "0010", "US", "0002", "Rows", "512"},
        {"  9", "0028", "0011", "US", "0002", "Columns", "512"},
        {" 10", "0028", "0030", "DS", "0008", "PixelSpacing", "0.5\\0.5"},
        {" 11", "0028", "1050", "DS", "0006", "WindowCenter", "40\\400"},
        {" 12", "0028", "1051", "DS", "0004", "WindowWidth", "350"},
        {" 13", "0028", "1052", "DS", "0008", "RescaleIntercept", "-1024.7"},
        {" 14", "0028", "1053", "DS", "0002", "RescaleSlope", "1"},
        // 512 x 512 x 2 bytes is a multiple of 65,536: the low half of the length is 0 and the
        // value read is the upper half alone, blank after trimming.
        {" 15", "7FE0", "0010", "OW", "0000", "", ""},  // the table has no pixel-data group
    };
    EXPECT_EQ(h.rows, expected);
    EXPECT_EQ(h.rowCount, 16u);
    const auto& e = h.edits;
    EXPECT_EQ(e.header, std::to_string(file.Size() - 512 * 512 * 2));  // the first pixel byte
    EXPECT_EQ(e.sizeX, "512");
    EXPECT_EQ(e.sizeY, "512");
    EXPECT_EQ(e.pixelSpacing, "0.5");
    EXPECT_EQ(e.fov, "256");
    EXPECT_EQ(e.offset, "-1024");  // truncated toward zero
    EXPECT_EQ(e.windowLevel, "40");
    EXPECT_EQ(e.windowWidth, "350");  // WindowWidth comes after the centre's second value
    EXPECT_EQ(e.swap, false);
    EXPECT_EQ(h.summary, "Scanner 64\r\nmmST : 5 \r\nkV : 120 \r\nmmFOV : 256 \r\nDspMtrx : 512\r\n"
                         "mmPSize : 0.5\\0.5 \r\n");
}

TEST(DicomHeader, ImplicitVrFileHasNoVrAndStartsPixelsAfterTheLength)
{
    const DicomBytes file = dicomtest::CtLikeFile(300, 200, false);
    const auto h = Read(file);
    ASSERT_TRUE(h.pixelDataFound);
    EXPECT_EQ(h.edits.header, std::to_string(file.Size() - 300 * 200 * 2));
    ASSERT_EQ(h.rows.size(), 15u);
    // The meta group stays explicit; the data set does not.
    EXPECT_EQ(h.rows[1][3], "UI");
    for (std::size_t r = 2; r < h.rows.size(); ++r)
        EXPECT_EQ(h.rows[r][3], "") << r;
    // Rows 300 stored as 2C 01 shows as a number: a two-byte value of a group above 0020.
    EXPECT_EQ(h.rows[7][6], "300");
    EXPECT_EQ(h.edits.sizeX, "200");  // Columns
    EXPECT_EQ(h.edits.sizeY, "300");  // Rows
    EXPECT_EQ(h.rows[14][4], "D4C0");  // 120,000 bytes: the low 16 bits of the length
}

TEST(DicomHeader, NumericValuesAndTheVrColumn)
{
    struct Case {
        const char* what;
        std::function<void(DicomBytes&)> element;
        DicomRow row;
    } cases[] = {
        {"US above 32767 reads signed", [](DicomBytes& f) { f.ExplicitUS(0x0028, 0x0100, 40000); },
         {"  3", "0028", "0100", "US", "0002", "BitsAllocated", "-25536"}},
        {"US 65535", [](DicomBytes& f) { f.ExplicitUS(0x0028, 0x0101, 65535); },
         {"  3", "0028", "0101", "US", "0002", "BitsStored", "-1"}},
        {"implicit two bytes above group 0020", [](DicomBytes& f) { f.ImplicitUS(0x0028, 0x0010, 0x0200); },
         {"  3", "0028", "0010", "", "0002", "Rows", "512"}},
        {"implicit two bytes in group 0020 stay text", [](DicomBytes& f) { f.Implicit(0x0020, 0x0013, "7 "); },
         {"  3", "0020", "0013", "", "0002", "InstanceNumber", "7"}},
        {"RescaleSlope is never converted", [](DicomBytes& f) { f.Implicit(0x0028, 0x1053, "2 "); },
         {"  3", "0028", "1053", "", "0002", "RescaleSlope", "2"}},
        {"odd-length value", [](DicomBytes& f) { f.Explicit(0x0010, 0x0010, "PN", "Doe"); },
         {"  3", "0010", "0010", "PN", "0003", "PatientName", "Doe"}},
        {"UN with its four-byte length", [](DicomBytes& f) { f.Explicit(0x0013, 0x1001, "UN", "AB"); },
         {"  3", "0013", "1001", "UN", "0002", "", "AB"}},
        {"leading and trailing controls trimmed", [](DicomBytes& f) { f.Explicit(0x0008, 0x0070, "LO", std::string("\t ACME\0", 7) + " "); },
         {"  3", "0008", "0070", "LO", "0008", "Manufacturer", "ACME"}},
    };
    for (const Case& c : cases) {
        const auto h = Read(With(c.element));
        ASSERT_GE(h.rows.size(), 4u) << c.what;
        EXPECT_EQ(h.rows[2], c.row) << c.what;
        EXPECT_EQ(h.rows[3][1], "7FE0") << c.what;  // the walk stayed in step
    }
}

TEST(DicomHeader, ZeroLengthElementGetsNoRow)
{
    const auto h = Read(With([](DicomBytes& f) {
        f.Explicit(0x0010, 0x0010, "PN", "");
        f.Explicit(0x0010, 0x0020, "LO", "ID7 ");
    }));
    ASSERT_EQ(h.rows.size(), 4u);
    EXPECT_EQ(h.rows[2], (DicomRow{"  3", "0010", "0020", "LO", "0004", "PatientID", "ID7"}));
}

TEST(DicomHeader, SwapFollowsTheTransferSyntax)
{
    const struct {
        std::string uid;
        std::optional<bool> swap;
    } cases[] = {
        {"1.2.840.10008.1.2", false},
        {"1.2.840.10008.1.2.1", false},
        {"1.2.840.10008.1.2.2", true},
        {"1.2.840.10008.1.2.4.50", std::nullopt},  // compressed: the box stays as it was
    };
    for (const auto& c : cases) {
        DicomBytes f;
        f.Meta(c.uid);  // padded with a NUL to even length where needed
        f.PixelData(true, dicomtest::Words(256, [](std::size_t i) { return i; }));
        EXPECT_EQ(Read(f).edits.swap, c.swap) << c.uid;
    }
}

TEST(DicomHeader, ColumnsAreTheWidthAndRowsTheHeightWhateverTheLandscapeMarker)
{
    // A landscape marker used to exchange the sizes; the matrix is Columns across and Rows down.
    const struct {
        const char* what;
        std::function<void(DicomBytes&)> marker;
        unsigned rows, columns;
        const char *sizeX, *sizeY;
    } cases[] = {
        {"no marker", [](DicomBytes&) {}, 400, 300, "300", "400"},
        {"no marker, wide", [](DicomBytes&) {}, 64, 256, "256", "64"},
        {"detector wider than high", [](DicomBytes& f) { f.Explicit(0x0018, 0x7026, "DS", "300\\400"); }, 400, 300, "300", "400"},
        {"detector higher than wide", [](DicomBytes& f) { f.Explicit(0x0018, 0x7026, "DS", "400\\300"); }, 400, 300, "300", "400"},
        {"marker, rows not above columns", [](DicomBytes& f) { f.Explicit(0x0018, 0x7026, "DS", "300\\400"); }, 300, 400, "400", "300"},
        {"film orientation LANDSCAPE", [](DicomBytes& f) { f.Explicit(0x2010, 0x0040, "CS", "LANDSCAPE "); }, 400, 300, "300", "400"},
        {"patient group length gives one letter", [](DicomBytes& f) { f.Explicit(0x0010, 0x0000, "UL", "LAND"); }, 400, 300, "300", "400"},
    };
    for (const auto& c : cases) {
        const auto h = Read(With([&](DicomBytes& f) {
            c.marker(f);  // the marker may come before or after the sizes; groups stay in order
            f.ExplicitUS(0x0028, 0x0010, c.rows).ExplicitUS(0x0028, 0x0011, c.columns);
        }));
        EXPECT_EQ(h.edits.sizeX, c.sizeX) << c.what;
        EXPECT_EQ(h.edits.sizeY, c.sizeY) << c.what;
    }
}

TEST(DicomHeader, SequenceRows)
{
    // Undefined lengths: each item and the sequence end with delimitation items.
    const auto delimited = Read(With([](DicomBytes& f) {
        f.SequenceStart(0x0008, 0x1140);
        f.Explicit(0x0008, 0x1150, "UI", "1.2.3 ").ItemEnd().SequenceEnd();
        f.Explicit(0x0010, 0x0010, "PN", "Doe ");
    }));
    const std::vector<std::vector<std::string>> expected = {
        {"0002", "0002", "UI", "001A", "MediaStorageSOPClassUID", "1.2.840.10008.5.1.4.1.1.2"},
        {"0002", "0010", "UI", "0014", "TransferSyntaxUID", "1.2.840.10008.1.2.1"},
        {"0008", "1140", "SQ", "", "", ""},
        {"0008", "1150", "UI", "0006", "ReferencedSOPClassUID", "1.2.3"},
        {"", "", "SQ", "", "", ""},
        {"0010", "0010", "PN", "0004", "PatientName", "Doe"},
        {"7FE0", "0010", "OW", "0800", "", ""},
    };
    EXPECT_EQ(Columns1to6(delimited.rows), expected);
    EXPECT_EQ(delimited.rows[2][0], "");  // a sequence row carries no number
    EXPECT_EQ(delimited.rows[3][0], "  4");
    EXPECT_EQ(delimited.rows[5][0], "  6");

    // Defined lengths: no delimiters, so no end row.
    const auto defined = Read(With([](DicomBytes& f) {
        f.SequenceStart(0x0008, 0x1140, 22, 14);
        f.Explicit(0x0008, 0x1150, "UI", "1.2.3 ");
        f.Explicit(0x0010, 0x0010, "PN", "Doe ");
    }));
    auto withoutEnd = expected;
    withoutEnd.erase(withoutEnd.begin() + 4);
    EXPECT_EQ(Columns1to6(defined.rows), withoutEnd);
}

TEST(DicomHeader, ListingStopsAtItsLimitWhileTheWalkReadsOn)
{
    // Rows: 1-2 meta, 3 sequence, 4 its element, 5 sequence end (no element), 6 PN, 7 Rows, 8 pixels.
    const DicomBytes file = With([](DicomBytes& f) {
        f.SequenceStart(0x0008, 0x1140);
        f.Explicit(0x0008, 0x1150, "UI", "1.2.3 ").ItemEnd().SequenceEnd();
        f.Explicit(0x0010, 0x0010, "PN", "Doe ");
        f.ExplicitUS(0x0028, 0x0010, 32);
    });
    const auto full = Read(file);
    ASSERT_EQ(full.rows.size(), 8u);
    struct Case { std::size_t limit, listed, unlisted; };
    for (const Case c : {Case{2, 2, 5}, Case{4, 4, 3}, Case{5, 5, 3}, Case{7, 7, 1}, Case{8, 8, 0}, Case{100, 8, 0}}) {
        const auto h = imageio::ReadDicomHeader(file.bytes, TestTagTable(), c.limit);
        EXPECT_EQ(h.rows, std::vector<DicomRow>(full.rows.begin(), full.rows.begin() + static_cast<std::ptrdiff_t>(c.listed)))
            << c.limit;
        EXPECT_EQ(h.rowCount, c.listed + 1) << c.limit;
        EXPECT_EQ(h.unlistedElements, c.unlisted) << c.limit;
        // Elements past the limit still give the viewer its parameters and the summary.
        EXPECT_EQ(h.edits.sizeY, "32") << c.limit;
        EXPECT_EQ(h.summary, full.summary) << c.limit;
    }
}

TEST(DicomHeader, IconSequenceAheadOfThePixelDataWins)
{
    DicomBytes f;
    f.Meta(dicomtest::kExplicitLittle);
    f.ExplicitUS(0x0028, 0x0010, 512).ExplicitUS(0x0028, 0x0011, 512);
    f.SequenceStart(0x0088, 0x0200);
    f.ExplicitUS(0x0028, 0x0010, 64).ExplicitUS(0x0028, 0x0011, 32);
    const std::size_t iconPixels = f.Size() + 12;
    f.PixelData(true, dicomtest::Words(64 * 32, [](std::size_t i) { return i; })).ItemEnd().SequenceEnd();
    f.PixelData(true, dicomtest::Words(512 * 512, [](std::size_t i) { return i; }));
    const auto h = Read(f);
    EXPECT_EQ(h.edits.header, std::to_string(iconPixels));
    EXPECT_EQ(h.edits.sizeX, "32");
    EXPECT_EQ(h.edits.sizeY, "64");
    ASSERT_GE(h.rows.size(), 2u);
    EXPECT_EQ(h.rows[h.rows.size() - 2][1], "7FE0");
    EXPECT_EQ(h.rows.back(), (DicomRow{"", "", "", "SQ", "", "", ""}));  // the walk ends after the icon's sequence
}

TEST(DicomHeader, LongObValueDesynchronisesWithoutReadingOutside)
{
    DicomBytes file = With([](DicomBytes& f) {
        f.Explicit(0x0009, 0x1010, "OB", std::string(70000, 'x'));
        f.Explicit(0x0010, 0x0010, "PN", "Doe ");
    });
    file.Raw(std::vector<std::uint8_t>(80000, 0));  // keeps the pixel tag in the first half
    const auto h = Read(file);
    ASSERT_GE(h.rows.size(), 3u);
    EXPECT_EQ(h.rows[2][4], "1170");  // 70,000 = 0x11170: the low 16 bits
    // The walk then reads from inside the value; it must end without failing.
    EXPECT_FALSE(h.failure);
    EXPECT_EQ(h.rowCount, h.rows.size() + 1);
}

TEST(DicomHeader, NoPixelDataInTheFirstHalf)
{
    DicomBytes f;
    f.Meta(dicomtest::kExplicitLittle);
    f.Text(std::string(400, 'a'));  // pushes the tag past the middle of the file
    f.PixelData(true, {1, 0});
    const auto h = Read(f);
    EXPECT_FALSE(h.pixelDataFound);
    EXPECT_EQ(h.edits.header, "");
    EXPECT_EQ(h.edits.sizeX, "");
    EXPECT_EQ(h.edits.offset, "0");
    EXPECT_FALSE(h.summary);
    EXPECT_FALSE(h.edits.swap);

    // A data set written wholly big-endian stores the tag as 7F E0 00 10: not found either, so
    // the user is asked for the size.
    DicomBytes big;
    big.Meta(dicomtest::kExplicitBig);
    big.Raw({0x7F, 0xE0, 0x00, 0x10, 'O', 'W', 0, 0, 0, 0, 0x08, 0x00});
    big.Raw(std::vector<std::uint8_t>(2048, 1));
    EXPECT_FALSE(Read(big).pixelDataFound);
}

TEST(DicomHeader, ConversionErrorsKeepWhatWasListed)
{
    const struct {
        const char* what;
        std::function<void(DicomBytes&)> element;
        std::string message;
    } cases[] = {
        {"RescaleIntercept not a number", [](DicomBytes& f) { f.Explicit(0x0028, 0x1052, "DS", "abc "); },
         common::NotRealMessage("abc").Plain()},
        {"DetectorActiveDimensions without a backslash", [](DicomBytes& f) { f.Explicit(0x0018, 0x7026, "DS", "300 "); },
         common::NotRealMessage("").Plain()},
    };
    for (const auto& c : cases) {
        const auto h = Read(With([&](DicomBytes& f) {
            f.Explicit(0x0008, 0x0060, "CS", "CT");
            c.element(f);
        }));
        ASSERT_TRUE(h.failure) << c.what;
        try {
            std::rethrow_exception(h.failure);
        } catch (const common::ConversionError& e) {
            EXPECT_EQ(e.what(), c.message) << c.what;
        }
        EXPECT_EQ(h.rowCount, imageio::kDicomGridRows) << c.what;
        EXPECT_EQ(h.rows[2][6], "CT") << c.what;
    }
}

TEST(DicomHeader, TruncatedAtEveryByteListsAPrefixAndNeverReadsOutside)
{
    DicomBytes file = With([](DicomBytes& f) {
        f.SequenceStart(0x0008, 0x1140);
        f.Explicit(0x0008, 0x1150, "UI", "1.2.3 ").ItemEnd().SequenceEnd();
        f.Explicit(0x0028, 0x1052, "DS", "-1024 ");
        f.Explicit(0x0009, 0x1010, "OB", std::string(300, 'x'));
    });
    // Pixel data large enough that the tag stays in the first half of every long prefix.
    file.Raw(std::vector<std::uint8_t>(2000, 0));
    const auto full = Read(file);
    ASSERT_FALSE(full.ranOutOfData);
    std::size_t found = 0;
    for (std::size_t n = 0; n <= file.Size(); ++n) {
        // A copy of exactly n bytes, so that the sanitizer sees any read past it.
        const std::vector<std::uint8_t> prefix(file.bytes.begin(), file.bytes.begin() + static_cast<std::ptrdiff_t>(n));
        const auto h = imageio::ReadDicomHeader(prefix, TestTagTable());
        if (!h.pixelDataFound)
            continue;
        ++found;
        ASSERT_LE(h.rows.size(), full.rows.size()) << n;
        for (std::size_t r = 0; r < h.rows.size(); ++r)
            ASSERT_EQ(h.rows[r], full.rows[r]) << "prefix " << n << " row " << r;
    }
    EXPECT_GT(found, 0u);
}

TEST(DicomSummary, Labels)
{
    const struct {
        unsigned group, element;
        const char* line;  // empty: no line
    } cases[] = {
        {0x0028, 0x0010, "DspMtrx : v\r\n"}, {0x0018, 0x0010, ""},
        {0x0028, 0x0030, "mmPSize : v\r\n"}, {0x0018, 0x7022, "mmPSize : v\r\n"},
        {0x0018, 0x0050, "mmST : v\r\n"},    {0x0020, 0x0060, "kV : v\r\n"},
        {0x0008, 0x0060, ""},                {0x0018, 0x0080, "msTR : v\r\n"},
        {0x0018, 0x0081, "msTE : v\r\n"},    {0x0018, 0x0083, "Ac : v\r\n"},
        {0x0018, 0x0089, "PE# : v\r\n"},     {0x0018, 0x0091, "ETL : v\r\n"},
        {0x0018, 0x0095, "Hz/pxl : v\r\n"},  {0x0008, 0x103E, "Se : v\r\n"},
        {0x0018, 0x1100, "mmFOV : v\r\n"},   {0x0018, 0x1152, "mAs : v\r\n"},
        {0x0019, 0x1210, "RF : v\r\n"},      {0x0018, 0x1250, "Coil : v\r\n"},
        {0x0018, 0x1310, "AcMtrx : v\r\n"},  {0x0018, 0x1312, "PE : v\r\n"},
        {0x0028, 0x0011, ""},                {0x0009, 0x1090, ""},
    };
    for (const auto& c : cases) {
        std::string summary = "x\r\n";
        imageio::AddSummaryLine(static_cast<std::uint16_t>(c.group), static_cast<std::uint16_t>(c.element), "v", summary);
        EXPECT_EQ(summary, std::string("x\r\n") + c.line) << std::hex << c.group << "," << c.element;
    }
    std::string summary = "kV : 120\r\n";
    imageio::AddSummaryLine(0x0008, 0x1090, "Model ", summary);
    EXPECT_EQ(summary, "Model \r\nkV : 120\r\n");
}

TEST(DicomDictionary, NamesAndTheIrregularLines)
{
    const struct {
        unsigned group, element;
        const char* name;
    } cases[] = {
        {0x0002, 0x0010, "TransferSyntaxUID"}, {0x0008, 0x0060, "Modality"},
        {0x0010, 0x0010, "PatientName"},       {0x0028, 0x0010, "Rows"},
        {0x0028, 0x1052, "RescaleIntercept"},  {0x0019, 0x100F, "HorizontalFrameOfReference"},
        {0x0043, 0x1001, "BitmapOfPrescanOptions"},
        {0x0028, 0x0103, "PixelRepresentation"},  // the "1 = Signed" line after it changes nothing
        {0x0043, 0x106F, ""},                  // written "106f": keys are upper-case
        {0x0020, 0x3100, ""},                  // "31xx" never matches
        {0x0028, 0x0800, "CodeLabel"},         // the exact entry, not the "08x0" pattern
        {0x0045, 0x101B, ""},                  // "Phanto" has no tab after it
        {0x7FE0, 0x0010, ""},                  // no pixel-data group in the table
        {0xFFFE, 0xE000, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TestTagTable().NameOf(static_cast<std::uint16_t>(c.group), static_cast<std::uint16_t>(c.element)), c.name)
            << std::hex << c.group << "," << c.element;

    // The first occurrence anywhere in the text wins, even inside another line.
    const imageio::DicomDictionary odd("xx0010\t0010\tFirst\tN\r\n0010\t0010\tSecond\tN\r\n0011\t0011\t" +
                                      std::string(300, 'a') + "\tN\r\n");
    EXPECT_EQ(odd.NameOf(0x0010, 0x0010), "First");
    EXPECT_EQ(odd.NameOf(0x0011, 0x0011), "");  // no tab within 256 characters
}

} // namespace
