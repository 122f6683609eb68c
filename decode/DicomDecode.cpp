#include "DicomDecode.h"

#include <algorithm>
#include <iterator>
#include <cmath>
#include <cstdlib>
#include <new>
#include <sstream>

#include <gdcmImage.h>
#include <gdcmImageReader.h>
#include <gdcmTrace.h>

#include "CodestreamCheck.h"
#include "ElementWalk.h"
#include "FrameStream.h"
#include "ImageFile.h"
#include "PixelWords.h"
#include "RleDecode.h"
#include "TransferSyntax.h"

namespace decode {

namespace {

[[noreturn]] void Refuse(const std::string& syntax, const std::string& why)
{
    throw DecodeError("Cannot open this DICOM file (" + syntax + "): " + why + ".");
}

std::string FirstValue(const std::string& text) { return text.substr(0, text.find('\\')); }

// Rescale Intercept with the value shift added, as the viewer's offset is formed: truncated.
std::string ShiftedIntercept(const DicomFacts& facts, std::int32_t shift)
{
    if (shift == 0)
        return {};
    const std::string stated = facts.Text(0x0028, 0x1052).value_or("0");
    char* end = nullptr;
    const double intercept = std::strtod(stated.c_str(), &end);
    if (end == stated.c_str() || !std::isfinite(intercept))
        return {};
    return std::to_string(static_cast<long long>(std::trunc(intercept)) + shift);
}

SampleLayout LayoutOf(const DicomFacts& facts, const std::string& syntax)
{
    SampleLayout layout;
    layout.columns = facts.columns;
    layout.rows = facts.rows;
    layout.frames = facts.frames;
    layout.bitsAllocated = static_cast<int>(facts.bitsAllocated);
    layout.bitsStored = static_cast<int>(facts.bitsStored > 0 ? facts.bitsStored : facts.bitsAllocated);
    layout.isSigned = facts.pixelRepresentation == 1;
    layout.samplesPerPixel = static_cast<int>(facts.samplesPerPixel);
    layout.planar = facts.planar == 1;
    if (facts.rows <= 0 || facts.columns <= 0 || facts.rows > 65535 || facts.columns > 65535)
        Refuse(syntax, "the image states " + std::to_string(facts.rows) + " rows and " + std::to_string(facts.columns) +
                           " columns");
    if (facts.frames <= 0 || facts.frames > 1000000)
        Refuse(syntax, "the image states " + std::to_string(facts.frames) + " frames");
    if (layout.bitsAllocated != 1 && layout.bitsAllocated != 8 && layout.bitsAllocated != 16 && layout.bitsAllocated != 32)
        Refuse(syntax, "samples of " + std::to_string(facts.bitsAllocated) + " bits are not supported");
    if (layout.samplesPerPixel != 1 && layout.samplesPerPixel != 3)
        Refuse(syntax, std::to_string(facts.samplesPerPixel) + " samples per pixel are not supported");
    if (layout.bitsAllocated == 1 && (layout.samplesPerPixel != 1 || facts.encapsulated))
        Refuse(syntax, "1-bit samples are supported uncompressed and monochrome only");
    if (facts.photometric.rfind("PALETTE", 0) == 0)
        Refuse(syntax, "palette colour images are not supported");
    static const char* const known[] = {"",         "MONOCHROME1",  "MONOCHROME2",     "RGB",     "YBR_FULL",
                                        "YBR_FULL_422", "YBR_PARTIAL_422", "YBR_PARTIAL_420", "YBR_ICT", "YBR_RCT"};
    if (std::none_of(std::begin(known), std::end(known), [&](const char* k) { return facts.photometric == k; }))
        Refuse(syntax, "the photometric interpretation \"" + facts.photometric.substr(0, 32) + "\" is not known");
    return layout;
}

// Compressed pixels: the library decodes a file holding only the pixel module and the fragments.
// Decodes into `out`, `need` bytes long.
void DecodeWithLibrary(const DicomFacts& facts, std::uint64_t need,
                       const std::string& syntax, char* out)
{
    CheckCodestreams(facts.fragments, StreamShape{facts.columns, facts.rows, facts.samplesPerPixel, facts.bitsAllocated},
                     CodestreamOf(facts.transferSyntax), syntax);
    static const bool quiet = [] {
        gdcm::Trace::SetDebug(false);
        gdcm::Trace::SetWarning(false);
        gdcm::Trace::SetError(false);
        return true;
    }();
    (void)quiet;
    std::string input;
    {
        const std::vector<std::uint8_t> file = EncapsulatedFile(facts);
        input.assign(reinterpret_cast<const char*>(file.data()), file.size());
    }
    std::istringstream in(std::move(input));
    gdcm::ImageReader reader;
    reader.SetStream(in);
    if (!reader.Read())
        Refuse(syntax, "the decoder cannot read its pixel data");
    const gdcm::Image& image = reader.GetImage();
    const unsigned long length = image.GetBufferLength();
    if (length != need)
        Refuse(syntax, "the decoder expects " + std::to_string(length) + " bytes of pixels where the header states " +
                           std::to_string(need));
    if (!image.GetBuffer(out))
        Refuse(syntax, "the compressed pixel data are corrupt or truncated");
}

// Uncompressed pixels, little-endian as the words are formed.
std::vector<std::uint8_t> NativeSamples(const DicomFacts& facts, std::span<const std::uint8_t> walked, std::uint64_t need)
{
    std::vector<std::uint8_t> samples(walked.begin() + static_cast<std::ptrdiff_t>(facts.pixelValueStart),
                                      walked.begin() + static_cast<std::ptrdiff_t>(facts.pixelValueStart + need));
    const std::size_t unit = static_cast<std::size_t>(facts.bitsAllocated / 8);
    if (facts.bigEndian && unit > 1)
        for (std::size_t i = 0; i + unit <= samples.size(); i += unit)
            std::reverse(samples.begin() + static_cast<std::ptrdiff_t>(i), samples.begin() + static_cast<std::ptrdiff_t>(i + unit));
    return samples;
}

// The samples of every frame as 16-bit words: RLE decoded here, other compressed syntaxes by the
// library, uncompressed ones taken as they lie.
Words16 DecodeSamples(std::span<const std::uint8_t> file, const DicomFacts& facts, SampleLayout layout,
                      std::uint64_t need, const std::string& syntax)
{
    const std::span<const std::uint8_t> walked = facts.deflated ? std::span<const std::uint8_t>(facts.inflated) : file;
    const bool rle = facts.transferSyntax == kRleLossless;
    // JPEG and JPEG 2000 decoders return RGB; uncompressed and RLE YBR stays YBR.
    layout.ybr = (!facts.encapsulated || rle) && facts.photometric.rfind("YBR_FULL", 0) == 0;
    std::vector<std::uint8_t> samples;
    try {
        if (rle) {
            samples = DecodeRle(facts.fragments, facts.columns, facts.rows, facts.frames, layout.bitsAllocated / 8,
                                layout.samplesPerPixel, syntax);
            layout.planar = false;  // the segments come out interleaved
        } else if (facts.encapsulated && layout.samplesPerPixel == 1 && layout.bitsAllocated == 16) {
            // The common case decodes straight into the words' memory.
            std::vector<std::uint16_t> raw(static_cast<std::size_t>(need / 2));
            DecodeWithLibrary(facts, need, syntax, reinterpret_cast<char*>(raw.data()));
            return ToWords16InPlace(std::move(raw), layout);
        } else if (facts.encapsulated) {
            samples.resize(static_cast<std::size_t>(need));
            DecodeWithLibrary(facts, need, syntax, reinterpret_cast<char*>(samples.data()));
        } else {
            samples = NativeSamples(facts, walked, need);
        }
    } catch (const DecodeError&) {
        throw;
    } catch (const std::bad_alloc&) {
        Refuse(syntax, "not enough memory to decode it");
    } catch (const std::exception& e) {
        Refuse(syntax, std::string("the decoder failed: ") + e.what());
    }
    return ToWords16(samples, layout);
}

void ChooseSpacing(const DicomFacts& facts, DicomPixels& pixels)
{
    if (auto spacing = facts.Text(0x0028, 0x0030); spacing && !spacing->empty()) {
        pixels.spacing = FirstValue(*spacing);
        pixels.spacingSource = "PixelSpacing";
    } else if (auto imager = facts.Text(0x0018, 0x1164); imager && !imager->empty()) {
        pixels.spacing = FirstValue(*imager);
        pixels.spacingSource = "ImagerPixelSpacing";
    }
}

} // namespace

DicomPixels DecodeDicomBytes(std::span<const std::uint8_t> file, const DecodeLimits& limits)
{
    const DicomFacts facts = WalkDicom(file, WalkLimits{static_cast<std::size_t>(limits.maxDecodedBytes)});
    const std::string syntax = TransferSyntaxText(facts.transferSyntax);
    if (!facts.hasPixelData)
        Refuse(syntax, "it holds no image (no Pixel Data element)");
    if (facts.encapsulated && !HasDecoder(facts.transferSyntax))
        Refuse(syntax, "this program has no decoder for it");
    if (!facts.encapsulated && IsEncapsulated(facts.transferSyntax))
        Refuse(syntax, "its pixel data are not the fragments that syntax needs");
    SampleLayout layout = LayoutOf(facts, syntax);
    layout.ybr422 = !facts.encapsulated && facts.photometric == "YBR_FULL_422";
    const std::uint64_t need = LayoutBytes(layout);
    if (!facts.encapsulated && need > facts.pixelValueLength)
        Refuse(syntax, "the pixel data hold " + std::to_string(facts.pixelValueLength) + " bytes, but " +
                           std::to_string(facts.frames) + " frame(s) of " + std::to_string(facts.columns) + " x " +
                           std::to_string(facts.rows) + " need " + std::to_string(need));
    if (need > limits.maxDecodedBytes)
        Refuse(syntax, "the decoded image would take " + std::to_string(need) + " bytes, more than the limit of " +
                           std::to_string(limits.maxDecodedBytes));

    Words16 words = DecodeSamples(file, facts, layout, need, syntax);
    DicomPixels pixels;
    pixels.columns = static_cast<std::int32_t>(facts.columns);
    pixels.rows = static_cast<std::int32_t>(facts.rows);
    pixels.frames = static_cast<std::int32_t>(facts.frames);
    pixels.words = std::move(words.words);
    pixels.valueShift = words.valueShift;
    pixels.scaleBits = words.scaleBits;
    pixels.syntaxText = syntax;
    pixels.colour = layout.samplesPerPixel == 3;
    pixels.rescaleSlope = facts.Text(0x0028, 0x1053).value_or("");
    pixels.explicitVr = facts.explicitVr;
    ChooseSpacing(facts, pixels);
    pixels.header = DecodedHeader(facts, pixels.columns, pixels.rows, ShiftedIntercept(facts, pixels.valueShift));
    return pixels;
}

DicomPixels DecodeDicomFile(const std::string& path)
{
    const std::vector<std::uint8_t> bytes = viewer::ReadWholeFile(path);
    return DecodeDicomBytes(bytes);
}

} // namespace decode
