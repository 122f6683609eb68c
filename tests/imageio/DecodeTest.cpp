#include <gtest/gtest.h>
#include <zlib.h>

#include <algorithm>

#include "DicomBytes.h"
#include "DicomDecode.h"
#include "DicomHeader.h"
#include "DicomTagTable.h"
#include "ElementWalk.h"
#include "FrameStream.h"
#include "ImageFile.h"
#include "PixelRule.h"

using dicomtest::DicomBytes;

namespace {

std::vector<std::uint8_t> Sample(const std::string& name) { return imageio::ReadWholeFile(std::string(SAMPLES_DIR) + "/" + name); }

// The pixel words of the uncompressed phantom, as the scanner's path reads them.
std::vector<std::uint16_t> PhantomWords()
{
    const std::vector<std::uint8_t> file = Sample("ct-phantom.dcm");
    const long long offset = imageio::PixelDataOffset(file, *imageio::FindPixelDataTag(file));
    std::vector<std::uint16_t> words(256 * 256);
    for (std::size_t i = 0; i < words.size(); ++i)
        words[i] = static_cast<std::uint16_t>(file[offset + 2 * i] | (file[offset + 2 * i + 1] << 8));
    return words;
}

const char* const kLossless[] = {
    "compressed/ct-phantom-jpeg-lossless.dcm", "compressed/ct-phantom-jpegls.dcm", "compressed/ct-phantom-rle.dcm",
    "compressed/ct-phantom-j2k.dcm",           "compressed/ct-phantom-deflated.dcm",
    "compressed/ct-phantom-true-bigendian.dcm",
};

// A small monochrome file of the given sample size; `before` adds elements ahead of the pixel
// module, `spacing` a Pixel Spacing after Columns.
DicomBytes SmallImage(int bits, int columns, int rows, int frames, const std::string& before = {},
                      const std::string& spacing = {}, unsigned representation = 0)
{
    DicomBytes f;
    f.Meta(dicomtest::kExplicitLittle);
    f.Raw({before.begin(), before.end()});
    f.ExplicitUS(0x0028, 0x0002, 1).Explicit(0x0028, 0x0004, "CS", "MONOCHROME2 ");
    if (frames > 1)
        f.Explicit(0x0028, 0x0008, "IS", std::to_string(frames) + (std::to_string(frames).size() % 2 ? " " : ""));
    f.ExplicitUS(0x0028, 0x0010, static_cast<unsigned>(rows)).ExplicitUS(0x0028, 0x0011, static_cast<unsigned>(columns));
    if (!spacing.empty())
        f.Explicit(0x0028, 0x0030, "DS", spacing);
    f.ExplicitUS(0x0028, 0x0100, static_cast<unsigned>(bits)).ExplicitUS(0x0028, 0x0101, static_cast<unsigned>(bits));
    f.ExplicitUS(0x0028, 0x0102, static_cast<unsigned>(bits - 1)).ExplicitUS(0x0028, 0x0103, representation);
    std::string pixels(static_cast<std::size_t>(columns * rows * frames * bits / 8), '\0');
    for (std::size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = static_cast<char>(i * 7);
    if (pixels.size() % 2)
        pixels.push_back('\0');
    return f.Explicit(0x7FE0, 0x0010, bits == 8 ? "OB" : "OW", pixels);
}

std::string Element(unsigned group, unsigned element, const std::string& vr, std::string value)
{
    if (value.size() % 2)
        value.push_back(' ');
    DicomBytes e;
    e.Explicit(group, element, vr, value);
    return {e.bytes.begin(), e.bytes.end()};
}

TEST(Decode, LosslessSamplesGiveThePhantomsPixels)
{
    const std::vector<std::uint16_t> phantom = PhantomWords();
    for (const char* name : kLossless) {
        const imageio::DicomPixels p = imageio::DecodeDicomBytes(Sample(name));
        EXPECT_EQ(p.columns, 256) << name;
        EXPECT_EQ(p.rows, 256) << name;
        EXPECT_EQ(p.frames, 1) << name;
        EXPECT_EQ(p.valueShift, 0) << name;
        EXPECT_TRUE(p.words == phantom) << name;
        EXPECT_EQ(p.spacing, "0.5") << name;
        EXPECT_EQ(p.spacingSource, "PixelSpacing") << name;
    }
}

TEST(Decode, BytesAfterTheFragmentsAreIgnored)
{
    std::vector<std::uint8_t> padded = Sample("compressed/ct-phantom-rle.dcm");
    padded.resize(padded.size() + 37, 0);
    EXPECT_TRUE(imageio::DecodeDicomBytes(padded).words == PhantomWords()) << "bytes after the pixel data";

    // The decoding library would read a length on the sequence delimiter as a fragment's.
    std::vector<std::uint8_t> delimiter = Sample("compressed/ct-phantom-jpegls.dcm");
    ASSERT_EQ(delimiter[delimiter.size() - 8], 0xFE);
    ASSERT_EQ(delimiter[delimiter.size() - 6], 0xDD);
    delimiter[delimiter.size() - 3] = delimiter[delimiter.size() - 2] = delimiter[delimiter.size() - 1] = 0xFF;
    EXPECT_TRUE(imageio::DecodeDicomBytes(delimiter).words == PhantomWords()) << "a delimiter with a length";
}

TEST(Decode, MultiFrameKeepsEveryFrame)
{
    const std::vector<std::uint16_t> phantom = PhantomWords();
    const imageio::DicomPixels p = imageio::DecodeDicomBytes(Sample("compressed/ct-phantom-3frames-rle.dcm"));
    ASSERT_EQ(p.frames, 3);
    for (int k = 0; k < 3; ++k)
        for (std::size_t i = 0; i < phantom.size(); i += 997)
            EXPECT_EQ(p.words[k * phantom.size() + i], phantom[i] + 100 * k) << "frame " << k << " pixel " << i;
    EXPECT_NE(imageio::DecodedSummary(p, 1).find("frame 2 of 3\r\n"), std::string::npos);
}

TEST(Decode, OnlyWhatTheScannerCannotShowIsDecoded)
{
    const std::vector<std::uint8_t> cut = [] {
        auto f = Sample("ct-phantom.dcm");
        f.resize(f.size() - 1000);
        return f;
    }();
    const std::string rawBytes(40000, '\x11');
    const struct {
        const char* what;
        std::vector<std::uint8_t> file;
        bool decoded;
    } cases[] = {
        {"explicit little endian", Sample("ct-phantom.dcm"), false},
        {"implicit little endian", Sample("ct-phantom-implicit.dcm"), false},
        {"little-endian headers, big-endian words", Sample("ct-phantom-bigendian.dcm"), false},
        {"truncated little endian keeps its warning", cut, false},
        {"not DICOM at all", {rawBytes.begin(), rawBytes.end()}, false},
        {"JPEG lossless", Sample("compressed/ct-phantom-jpeg-lossless.dcm"), true},
        {"deflated", Sample("compressed/ct-phantom-deflated.dcm"), true},
        {"big-endian data set", Sample("compressed/ct-phantom-true-bigendian.dcm"), true},
        {"three frames", SmallImage(16, 64, 64, 3).bytes, true},
        {"8-bit samples", SmallImage(8, 64, 64, 1).bytes, true},
        {"header larger than the pixels", SmallImage(16, 4, 4, 1).bytes, true},
        {"16-bit signed single frame", SmallImage(16, 64, 64, 1, {}, {}, 1).bytes, false},
        {"16-bit unsigned, values above 32767", SmallImage(16, 64, 64, 1).bytes, true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(imageio::DecodeReason(c.file).has_value(), c.decoded) << c.what;
}

TEST(Decode, ScannerReadsTheDecodedStream)
{
    const struct {
        const char* what;
        std::vector<std::uint8_t> file;
    } cases[] = {
        {"JPEG-LS phantom", Sample("compressed/ct-phantom-jpegls.dcm")},
        {"4 x 3 8-bit, header larger than the pixels", SmallImage(8, 4, 3, 1).bytes},
    };
    for (const auto& c : cases) {
        const imageio::DicomPixels p = imageio::DecodeDicomBytes(c.file);
        const std::vector<std::uint8_t> stream = imageio::FrameStream(p, 0);
        const imageio::DicomHeaderResult h = imageio::ReadDicomHeader(stream, TestTagTable());
        ASSERT_TRUE(h.pixelDataFound) << c.what;
        EXPECT_EQ(h.edits.header, std::to_string(p.header.size())) << c.what;
        EXPECT_EQ(h.edits.sizeX, std::to_string(p.columns)) << c.what;
        EXPECT_EQ(h.edits.sizeY, std::to_string(p.rows)) << c.what;
        EXPECT_EQ(h.edits.swap, std::optional<bool>(false)) << c.what;
        const imageio::PixelSource source{stream, static_cast<long long>(p.header.size()), p.columns, p.rows, 2};
        for (long long i = 0; i < static_cast<long long>(p.words.size()); i += 101)
            EXPECT_EQ(imageio::FetchElement(source, i % p.columns, i / p.columns), p.words[i]) << c.what << " " << i;
    }
}

TEST(Decode, UnsignedValuesAboveSignedRangeShowThroughTheOffset)
{
    // Two frames of unsigned 16-bit samples reaching 65,535, with an intercept of -1000.
    const std::string intercept = Element(0x0028, 0x1052, "DS", "-1000");
    const DicomBytes file = SmallImage(16, 16, 16, 2, intercept);
    const imageio::DicomPixels plain = imageio::DecodeDicomBytes(file.bytes);
    ASSERT_EQ(plain.valueShift, 32768);
    const std::vector<std::uint8_t> stream = imageio::FrameStream(plain, 1);
    const imageio::DicomHeaderResult h = imageio::ReadDicomHeader(stream, TestTagTable());
    EXPECT_EQ(h.edits.offset, "31768");  // the intercept plus the shift
    const imageio::PixelSource source{stream, static_cast<long long>(plain.header.size()), 16, 16, 2};
    for (int i = 0; i < 256; i += 17) {
        const std::size_t at = 512 + 2 * static_cast<std::size_t>(i);  // frame 2 in the pixel bytes
        const int stored = static_cast<std::uint8_t>(at * 7) | (static_cast<std::uint8_t>((at + 1) * 7) << 8);
        EXPECT_EQ(imageio::SampleValue(imageio::FetchElement(source, i % 16, i / 16), false, std::stoi(h.edits.offset)),
                  stored - 1000) << i;
    }
    EXPECT_NE(imageio::DecodedSummary(plain, 1).find("stored minus 32768"), std::string::npos);
}

TEST(Decode, SpacingPrefersPixelSpacingThenImagerPixelSpacing)
{
    const std::string imager = Element(0x0018, 0x1164, "DS", "0.139\\0.139");
    const struct {
        const char* what;
        DicomBytes file;
        const char* spacing;
        const char* source;
    } cases[] = {
        {"both", SmallImage(8, 8, 8, 1, imager, "0.2\\0.3 "), "0.2", "PixelSpacing"},
        {"imager only", SmallImage(8, 8, 8, 1, imager), "0.139", "ImagerPixelSpacing"},
        {"neither", SmallImage(8, 8, 8, 1), "", ""},
    };
    for (const auto& c : cases) {
        const imageio::DicomPixels p = imageio::DecodeDicomBytes(c.file.bytes);
        EXPECT_EQ(p.spacing, c.spacing) << c.what;
        EXPECT_EQ(p.spacingSource, c.source) << c.what;
    }
}

// Each refusal names the transfer syntax; none crashes or reads outside the file.
void ExpectRefused(const std::vector<std::uint8_t>& file, const std::string& syntax, const std::string& what)
{
    try {
        imageio::DecodeDicomBytes(file);
        ADD_FAILURE() << what << ": opened";
    } catch (const imageio::DecodeError& e) {
        EXPECT_NE(std::string(e.what()).find(syntax), std::string::npos) << what << ": " << e.what();
    }
}

TEST(Decode, TruncatedFilesAreRefusedAtEveryCut)
{
    const struct {
        const char* name;
        const char* syntax;
    } samples[] = {
        {"compressed/ct-phantom-jpeg-lossless.dcm", "JPEG Lossless SV1"},
        {"compressed/ct-phantom-rle.dcm", "RLE Lossless"},
        {"compressed/ct-phantom-j2k.dcm", "JPEG 2000 Lossless"},
        {"compressed/ct-phantom-jpegls.dcm", "JPEG-LS Lossless"},
        {"compressed/ct-phantom-deflated.dcm", "Deflated"},
        {"compressed/ct-phantom-true-bigendian.dcm", "Explicit VR Big Endian"},
    };
    for (const auto& s : samples) {
        const std::vector<std::uint8_t> whole = Sample(s.name);
        for (double at : {0.2, 0.5, 0.8, 0.95, 0.999}) {
            const auto cut = std::vector<std::uint8_t>(whole.begin(), whole.begin() + static_cast<long>(whole.size() * at));
            ExpectRefused(cut, s.syntax, std::string(s.name) + " cut at " + std::to_string(cut.size()));
        }
    }
}

TEST(Decode, CorruptStreamsAndUnknownCodecsAreRefused)
{
    std::vector<std::uint8_t> corrupt = Sample("compressed/ct-phantom-jpeg-lossless.dcm");
    const std::uint8_t soi[] = {0xFF, 0xD8, 0xFF};
    const auto jpeg = std::search(corrupt.begin(), corrupt.end(), std::begin(soi), std::end(soi));
    ASSERT_NE(jpeg, corrupt.end());
    std::fill(jpeg, jpeg + 16, std::uint8_t{0x5A});
    ExpectRefused(corrupt, "JPEG Lossless SV1 (1.2.840.10008.1.2.4.70)", "JPEG stream without its start");

    // Streams whose own header claims another image than the DICOM header: the library would
    // write past the buffer it was given.
    const struct {
        const char* name;
        std::vector<std::uint8_t> marker;
        std::size_t offset;  // of the changed byte after the marker
        const char* syntax;
    } claims[] = {
        {"compressed/ct-phantom-j2k.dcm", {0xFF, 0x4F, 0xFF, 0x51}, 9, "JPEG 2000 Lossless"},   // Xsiz
        {"compressed/ct-phantom-jpeg-lossless.dcm", {0xFF, 0xC3}, 5, "JPEG Lossless SV1"},   // rows
        {"compressed/ct-phantom-jpegls.dcm", {0xFF, 0xF7}, 5, "JPEG-LS Lossless"},           // rows
    };
    for (const auto& c : claims) {
        std::vector<std::uint8_t> file = Sample(c.name);
        const auto at = std::search(file.begin(), file.end(), c.marker.begin(), c.marker.end());
        ASSERT_NE(at, file.end()) << c.name;
        at[static_cast<std::ptrdiff_t>(c.offset)] ^= 0x05;
        ExpectRefused(file, c.syntax, std::string(c.name) + " with a larger image in its stream");
    }

    // JPEG headers the JPEG library answers with an assertion that ends the program: each must be
    // refused before it gets there.
    const struct {
        const char* what;
        std::vector<std::uint8_t> marker;
        std::size_t offset;  // of the changed byte from the marker's start
        std::uint8_t value;
    } headers[] = {
        {"a JFIF version other than 1", {0xFF, 0xE0}, 9, 0x11},
        {"a progressive frame in a lossless syntax", {0xFF, 0xC3}, 1, 0xC2},
        {"a baseline frame in a lossless syntax", {0xFF, 0xC3}, 1, 0xC0},
        {"a byte that is not a marker before the Huffman table", {0xFF, 0xC4}, 0, 0x00},
        {"a lossless precision of 1 bit", {0xFF, 0xC3}, 4, 0x01},
        {"a header segment longer than the fragment", {0xFF, 0xC4}, 2, 0x7F},
    };
    for (const auto& h : headers) {
        std::vector<std::uint8_t> file = Sample("compressed/ct-phantom-jpeg-lossless.dcm");
        const auto at = std::search(file.begin(), file.end(), h.marker.begin(), h.marker.end());
        ASSERT_NE(at, file.end()) << h.what;
        at[static_cast<std::ptrdiff_t>(h.offset)] = h.value;
        ExpectRefused(file, "JPEG Lossless SV1", h.what);
    }

    // A JPEG 2000 header segment whose length runs past the fragment: the library's header parser
    // would follow it out of its buffer.
    std::vector<std::uint8_t> j2k = Sample("compressed/ct-phantom-j2k.dcm");
    const std::uint8_t qcd[] = {0xFF, 0x5C};
    const auto segment = std::search(j2k.begin(), j2k.end(), std::begin(qcd), std::end(qcd));
    ASSERT_NE(segment, j2k.end());
    segment[2] = segment[3] = 0xFF;
    ExpectRefused(j2k, "JPEG 2000 Lossless", "a JPEG 2000 header segment longer than its fragment");

    DicomBytes mpeg;
    mpeg.Meta("1.2.840.10008.1.2.4.100");
    mpeg.ExplicitUS(0x0028, 0x0010, 8).ExplicitUS(0x0028, 0x0011, 8).ExplicitUS(0x0028, 0x0100, 8);
    mpeg.Tag(0x7FE0, 0x0010).Text("OB").U16(0).U32(0xFFFFFFFF).Tag(0xFFFE, 0xE000).U32(0);
    mpeg.Tag(0xFFFE, 0xE000).U32(4).Text("abcd").SequenceEnd();
    ExpectRefused(mpeg.bytes, "MPEG2 Main Profile", "a codec without decoder");

    DicomBytes huge = SmallImage(16, 64, 64, 1);
    huge.bytes[huge.bytes.size() - 64 * 64 * 2 - 2] = 0x7F;  // the Pixel Data length's top byte
    ExpectRefused(huge.bytes, "Explicit VR Little Endian", "a length past the end of the file");

    DicomBytes report;
    report.Meta(dicomtest::kExplicitLittle);
    report.Explicit(0x0008, 0x0060, "CS", "SR");
    ExpectRefused(report.bytes, "no image", "a report without pixels");
}

// An encapsulated file: the pixel module as given, an empty offset table, then the fragments.
struct Encapsulated {
    const char* syntax = "1.2.840.10008.1.2.4.90";
    bool rows = true, columns = true;
    unsigned samples = 1, bitsAllocated = 16, bitsStored = 16, frames = 1;
    int planar = -1;  // absent
    std::vector<std::vector<std::uint8_t>> fragments;

    std::vector<std::uint8_t> Bytes() const
    {
        DicomBytes f;
        f.Meta(syntax);
        f.ExplicitUS(0x0028, 0x0002, samples).Explicit(0x0028, 0x0004, "CS", samples == 3 ? "RGB " : "MONOCHROME2 ");
        if (planar >= 0)
            f.ExplicitUS(0x0028, 0x0006, static_cast<unsigned>(planar));
        if (frames > 1)
            f.Explicit(0x0028, 0x0008, "IS", std::to_string(frames) + (std::to_string(frames).size() % 2 ? " " : ""));
        if (rows)
            f.ExplicitUS(0x0028, 0x0010, 256);
        if (columns)
            f.ExplicitUS(0x0028, 0x0011, 256);
        f.ExplicitUS(0x0028, 0x0100, bitsAllocated).ExplicitUS(0x0028, 0x0101, bitsStored);
        f.ExplicitUS(0x0028, 0x0102, bitsStored - 1).ExplicitUS(0x0028, 0x0103, 1);
        f.Tag(0x7FE0, 0x0010).Text("OB").U16(0).U32(0xFFFFFFFF).Tag(0xFFFE, 0xE000).U32(0);
        for (std::vector<std::uint8_t> item : fragments) {
            if (item.size() % 2)
                item.push_back(0);
            f.Tag(0xFFFE, 0xE000).U32(static_cast<std::uint32_t>(item.size())).Raw(item);
        }
        f.SequenceEnd();
        return f.bytes;
    }
};

// The phantom's one codestream in the sample of the given transfer syntax.
std::vector<std::uint8_t> PhantomCodestream(const char* sample)
{
    const std::vector<std::uint8_t> file = Sample(sample);
    const imageio::DicomFacts facts = imageio::WalkDicom(file);
    return {facts.fragments.at(1).begin(), facts.fragments.at(1).end()};
}

// A JPEG 2000 file of one fragment holding `codestream`, with the phantom's pixel module; `rows`
// and `columns` false leave those elements out.
std::vector<std::uint8_t> Jpeg2000File(const std::vector<std::uint8_t>& codestream, bool rows = true, bool columns = true)
{
    Encapsulated e;
    e.rows = rows;
    e.columns = columns;
    e.fragments = {codestream};
    return e.Bytes();
}

std::vector<std::uint8_t> Box(const char* type, const std::vector<std::uint8_t>& contents)
{
    const std::uint32_t length = static_cast<std::uint32_t>(contents.size() + 8);
    std::vector<std::uint8_t> box = {static_cast<std::uint8_t>(length >> 24), static_cast<std::uint8_t>(length >> 16),
                                     static_cast<std::uint8_t>(length >> 8), static_cast<std::uint8_t>(length)};
    box.insert(box.end(), type, type + 4);
    box.insert(box.end(), contents.begin(), contents.end());
    return box;
}

TEST(Decode, Jp2BoxesAreUnwrappedToTheirCodestream)
{
    const std::vector<std::uint8_t> sample = Sample("compressed/ct-phantom-j2k.dcm");
    const imageio::DicomFacts facts = imageio::WalkDicom(sample);
    ASSERT_EQ(facts.fragments.size(), 2u);
    const std::vector<std::uint8_t> codestream(facts.fragments[1].begin(), facts.fragments[1].end());
    const imageio::DicomPixels bare = imageio::DecodeDicomBytes(Jpeg2000File(codestream));
    EXPECT_EQ(bare.words, PhantomWords());

    // Signature, file type and header boxes, then the contiguous codestream box.
    std::vector<std::uint8_t> jp2 = Box("jP  ", {0x0D, 0x0A, 0x87, 0x0A});
    for (const auto& box : {Box("ftyp", {'j', 'p', '2', ' ', 0, 0, 0, 0, 'j', 'p', '2', ' '}),
                            Box("jp2h", Box("ihdr", std::vector<std::uint8_t>(14, 0))), Box("jp2c", codestream)})
        jp2.insert(jp2.end(), box.begin(), box.end());
    EXPECT_EQ(imageio::DecodeDicomBytes(Jpeg2000File(jp2)).words, bare.words);

    std::vector<std::uint8_t> cut = jp2;
    cut.resize(cut.size() - 100);  // the codestream box states more than the fragment holds
    ExpectRefused(Jpeg2000File(cut), "JP2 box", "a codestream box past its fragment");
    std::vector<std::uint8_t> noCodestream(jp2.begin(), jp2.begin() + 12);
    ExpectRefused(Jpeg2000File(noCodestream), "without a codestream box", "JP2 boxes without a codestream");
}

TEST(Decode, RefusalsSayWhatTheFileLacks)
{
    const std::vector<std::uint8_t> sample = Sample("compressed/ct-phantom-j2k.dcm");
    const imageio::DicomFacts facts = imageio::WalkDicom(sample);
    const std::vector<std::uint8_t> codestream(facts.fragments[1].begin(), facts.fragments[1].end());
    ExpectRefused(Jpeg2000File(codestream, false, false), "no Rows and no Columns element", "no size at all");
    ExpectRefused(Jpeg2000File(codestream, true, false), "no Columns element", "no Columns");
    ExpectRefused(Jpeg2000File(codestream, false, true), "no Rows element", "no Rows");
}

TEST(Decode, PixelModulesAndStreamsTheCodecCannotTakeAreRefusedBeforeIt)
{
    // Each of these once stopped the codec library with an assertion or sent it into a loop.
    const std::vector<std::uint8_t> lossless = PhantomCodestream("compressed/ct-phantom-jpeg-lossless.dcm");
    const std::vector<std::uint8_t> ls = PhantomCodestream("compressed/ct-phantom-jpegls.dcm");
    const auto with = [](const char* syntax, std::vector<std::uint8_t> codestream, auto change) {
        Encapsulated e;
        e.syntax = syntax;
        e.fragments = {std::move(codestream)};
        change(e);
        return e.Bytes();
    };
    const auto replaced = [](std::vector<std::uint8_t> s, std::vector<std::uint8_t> from, std::vector<std::uint8_t> to) {
        const auto at = std::search(s.begin(), s.end(), from.begin(), from.end());
        EXPECT_NE(at, s.end());
        if (at != s.end())
            std::copy(to.begin(), to.end(), at);
        return s;
    };
    const char* const kLossless = "1.2.840.10008.1.2.4.70";
    const char* const kLs = "1.2.840.10008.1.2.4.80";
    // After the scan: EOI replaced by a comment segment whose length runs far past the fragment.
    std::vector<std::uint8_t> longTail = lossless;
    ASSERT_GE(longTail.size(), 2u);
    longTail.resize(longTail.size() - 2);
    longTail.insert(longTail.end(), {0xFF, 0xFE, 0x7F, 0xFF, 0x00, 0x00});
    const struct {
        const char* what;
        std::vector<std::uint8_t> file;
        const char* says;
    } cases[] = {
        {"Planar Configuration 2 on RGB", with(kLossless, lossless, [](Encapsulated& e) { e.samples = 3; e.planar = 2; }),
         "Planar Configuration is 2"},
        {"32-bit samples in JPEG-LS", with(kLs, ls, [](Encapsulated& e) { e.bitsAllocated = 32; e.bitsStored = 32; }),
         "samples of 32 bits, which a JPEG or JPEG-LS stream cannot hold"},
        {"32-bit samples in JPEG Lossless", with(kLossless, lossless, [](Encapsulated& e) { e.bitsAllocated = 32; }),
         "samples of 32 bits"},
        {"an offset table and no fragment", with(kLs, ls, [](Encapsulated& e) { e.fragments.clear(); }),
         "hold 0 fragment(s) for 1 frame(s)"},
        {"two frames in one fragment", with(kLs, ls, [](Encapsulated& e) { e.frames = 2; }),
         "hold 1 fragment(s) for 2 frame(s)"},
        {"FF 00 where the Huffman table's marker belongs", with(kLossless, replaced(lossless, {0xFF, 0xC4}, {0xFF, 0x00}),
                                                                [](Encapsulated&) {}),
         "FF 00 where a marker belongs"},
        {"a segment after the scan running past the fragment", with(kLossless, longTail, [](Encapsulated&) {}),
         "segment (marker FFFE) that runs past the end of its fragment"},
    };
    for (const auto& c : cases) {
        try {
            imageio::DecodeDicomBytes(c.file);
            ADD_FAILURE() << c.what << ": opened";
        } catch (const imageio::DecodeError& e) {
            const std::string text = e.what();
            EXPECT_NE(text.find(c.says), std::string::npos) << c.what << ": " << text;
            EXPECT_EQ(text.find("the decoder stopped"), std::string::npos) << c.what << ": reached the codec: " << text;
        }
    }
    // The untouched streams open.
    EXPECT_EQ(imageio::DecodeDicomBytes(with(kLossless, lossless, [](Encapsulated&) {})).words, PhantomWords());
    EXPECT_EQ(imageio::DecodeDicomBytes(with(kLs, ls, [](Encapsulated&) {})).words, PhantomWords());
}

TEST(Decode, MillionsOfTinyElementsCostOnlyWhatIsKept)
{
    // 150,000 empty private elements ahead of the pixel module: the walk keeps the first 100,000
    // (as many as the header grid lists) and every element the decoder reads, and the image opens.
    DicomBytes f;
    f.Meta(dicomtest::kExplicitLittle);
    for (unsigned i = 0; i < 150'000; ++i)
        f.Explicit(0x0009 + 2 * (i / 60'000), 0x0100 + i % 60'000, "LO", "");
    f.ExplicitUS(0x0028, 0x0002, 1).Explicit(0x0028, 0x0004, "CS", "MONOCHROME2 ");
    f.ExplicitUS(0x0028, 0x0010, 4).ExplicitUS(0x0028, 0x0011, 4);
    f.ExplicitUS(0x0028, 0x0100, 8).ExplicitUS(0x0028, 0x0101, 8).ExplicitUS(0x0028, 0x0102, 7);
    f.ExplicitUS(0x0028, 0x0103, 0);
    f.Explicit(0x7FE0, 0x0010, "OB", std::string(16, '\x05'));
    const imageio::DicomFacts facts = imageio::WalkDicom(f.bytes);
    EXPECT_LE(facts.elements.size(), 100'000u + 9u);
    EXPECT_EQ(facts.rows, 4);
    EXPECT_EQ(facts.columns, 4);
    const imageio::DicomPixels pixels = imageio::DecodeDicomBytes(f.bytes);
    EXPECT_EQ(pixels.words, std::vector<std::uint16_t>(16, 5));
}

TEST(Decode, ImagesLargerThanTheViewerShowsAreRefusedBeforeDecoding)
{
    // 16,384 x 16,385 pixels: one row over the limit, stated by a file of a few bytes.
    Encapsulated e;
    e.syntax = "1.2.840.10008.1.2.4.80";
    e.fragments = {PhantomCodestream("compressed/ct-phantom-jpegls.dcm")};
    std::vector<std::uint8_t> file = e.Bytes();
    const std::uint8_t rows[] = {0x28, 0x00, 0x10, 0x00, 'U', 'S', 0x02, 0x00, 0x00, 0x01};
    const std::uint8_t columns[] = {0x28, 0x00, 0x11, 0x00, 'U', 'S', 0x02, 0x00, 0x00, 0x01};
    auto at = std::search(file.begin(), file.end(), std::begin(rows), std::end(rows));
    ASSERT_NE(at, file.end());
    at[8] = 0x01, at[9] = 0x40;  // 16,385
    at = std::search(file.begin(), file.end(), std::begin(columns), std::end(columns));
    ASSERT_NE(at, file.end());
    at[8] = 0x00, at[9] = 0x40;  // 16,384
    ExpectRefused(file, "16384 x 16385 pixels is larger than the 268435456 pixels this program shows", "a bomb");
}

TEST(Decode, ADeflatedBombIsRefusedFromItsHead)
{
    // A data set stating 32,768 x 32,768 pixels, its pixel data a run of zeros that deflates to
    // almost nothing: refused from the first megabyte, before the pixels are inflated.
    DicomBytes set;
    set.ExplicitUS(0x0028, 0x0002, 1).Explicit(0x0028, 0x0004, "CS", "MONOCHROME2 ");
    set.ExplicitUS(0x0028, 0x0010, 32768).ExplicitUS(0x0028, 0x0011, 32768);
    set.ExplicitUS(0x0028, 0x0100, 16).ExplicitUS(0x0028, 0x0101, 16).ExplicitUS(0x0028, 0x0102, 15);
    set.Tag(0x7FE0, 0x0010).Text("OW").U16(0).U32(0x80000000u);
    std::vector<std::uint8_t> plain = set.bytes;
    plain.resize(plain.size() + (std::size_t{64} << 20), 0);  // the first 64 MiB of the zeros
    z_stream z{};
    ASSERT_EQ(deflateInit2(&z, 9, Z_DEFLATED, -MAX_WBITS, 9, Z_DEFAULT_STRATEGY), Z_OK);
    std::vector<std::uint8_t> deflated(deflateBound(&z, static_cast<uLong>(plain.size())));
    z.next_in = plain.data();
    z.avail_in = static_cast<uInt>(plain.size());
    z.next_out = deflated.data();
    z.avail_out = static_cast<uInt>(deflated.size());
    ASSERT_EQ(deflate(&z, Z_FINISH), Z_STREAM_END);
    deflated.resize(z.total_out);
    deflateEnd(&z);
    DicomBytes file;
    file.Meta("1.2.840.10008.1.2.1.99");
    file.Raw(deflated);
    ExpectRefused(file.bytes, "32768 x 32768 pixels is larger than the 268435456 pixels this program shows",
                  "a deflated bomb");
}

TEST(Decode, AnInterceptThatIsNotANumberIsARefusalOfTheDecoder)
{
    // Found by the fuzzer: the conversion error escaped the decoder, whose refusals name the syntax.
    const DicomBytes file = SmallImage(8, 4, 4, 1, Element(0x0028, 0x1052, "DS", "-1024("));
    ExpectRefused(file.bytes, "Explicit VR Little Endian", "a non-numeric intercept");
    try {
        imageio::DecodeDicomBytes(file.bytes);
    } catch (const imageio::DecodeError& e) {
        EXPECT_NE(std::string(e.what()).find("Rescale Intercept \"-1024(\""), std::string::npos) << e.what();
    }
}

} // namespace
