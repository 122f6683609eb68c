#include "DicomDecode.h"

#include <algorithm>
#include <functional>
#include <cstdint>
#include <iterator>
#include <new>

#include "CodecRequest.h"
#include "CodestreamCheck.h"
#include "Conversions.h"
#include "DecoderProcess.h"
#include "DicomTagActions.h"
#include "ElementWalk.h"
#include "FrameStream.h"
#include "ImageLimits.h"
#include "PixelWords.h"
#include "RleDecode.h"
#include "TransferSyntax.h"

namespace imageio {

namespace {

[[noreturn]] void Refuse(const common::Text& syntax, const common::Text& why) { throw CannotOpenError(syntax, why); }

std::string FirstValue(const std::string& text) { return text.substr(0, text.find('\\')); }

// The value offset of the decoded frame: Rescale Intercept truncated, as the header reader takes
// it, plus the shift that brought the samples into signed 16 bits.
std::int32_t ValueOffset(const DicomFacts& facts, std::int64_t shift, const common::Text& syntax)
{
    const std::optional<std::string> stated = facts.Text(0x0028, 0x1052);
    const std::string trimmed = stated ? TrimControls(*stated) : std::string();
    long long intercept = 0;
    try {
        intercept = trimmed.empty() ? 0 : common::StrToInt(TruncatedIntercept(trimmed));
    } catch (const common::ConversionError&) {
        Refuse(syntax,
               common::TrText("imageio", "its Rescale Intercept \"%1\" is not a number it can use")
                   .Arg(trimmed.substr(0, 32)));
    }
    const long long offset = intercept + shift;
    // Every value is a signed word plus this offset, in 32 bits.
    if (offset < INT32_MIN + 32768LL || offset > INT32_MAX - 32767LL)
        Refuse(
            syntax,
            common::TrText("imageio", "its values reach %1, beyond the range of about +-2.1 billion this program holds")
                .Arg(offset));
    return static_cast<std::int32_t>(offset);
}

bool Present(const DicomFacts& facts, std::uint16_t element)
{
    return std::any_of(facts.elements.begin(), facts.elements.end(),
                       [&](const RawElement& e) { return e.group == 0x0028 && e.element == element; });
}

SampleLayout LayoutOf(const DicomFacts& facts, const common::Text& syntax)
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
    if (!Present(facts, 0x0010) || !Present(facts, 0x0011))
        Refuse(
            syntax,
            !Present(facts, 0x0010) && !Present(facts, 0x0011)
                ? common::TrText("imageio", "its header has no Rows and no Columns element, so the image has no size")
                : !Present(facts, 0x0010)
                ? common::TrText("imageio", "its header has no Rows element, so the image has no size")
                : common::TrText("imageio", "its header has no Columns element, so the image has no size"));
    if (facts.rows <= 0 || facts.columns <= 0 || facts.rows > 65535 || facts.columns > 65535)
        Refuse(syntax,
               common::TrText("imageio", "the image states %1 rows and %2 columns").Arg(facts.rows).Arg(facts.columns));
    if (facts.frames <= 0 || facts.frames > 1000000)
        Refuse(syntax, common::TrText("imageio", "the image states %1 frames").Arg(facts.frames));
    if (layout.bitsAllocated != 1 && layout.bitsAllocated != 8 && layout.bitsAllocated != 16 && layout.bitsAllocated != 32)
        Refuse(syntax, common::TrText("imageio", "samples of %1 bits are not supported").Arg(facts.bitsAllocated));
    if (facts.samplesPerPixel == 3 && facts.planar != 0 && facts.planar != 1)
        Refuse(syntax, common::TrText("imageio", "its Planar Configuration is %1, neither 0 nor 1").Arg(facts.planar));
    if (layout.samplesPerPixel != 1 && layout.samplesPerPixel != 3)
        Refuse(syntax, common::TrText("imageio", "%1 samples per pixel are not supported").Arg(facts.samplesPerPixel));
    if (layout.bitsAllocated == 1 && (layout.samplesPerPixel != 1 || facts.encapsulated))
        Refuse(syntax, common::TrText("imageio", "1-bit samples are supported uncompressed and monochrome only"));
    if (facts.photometric.rfind("PALETTE", 0) == 0)
        Refuse(syntax, common::TrText("imageio", "palette colour images are not supported"));
    static const char* const known[] = {"",         "MONOCHROME1",  "MONOCHROME2",     "RGB",     "YBR_FULL",
                                        "YBR_FULL_422", "YBR_PARTIAL_422", "YBR_PARTIAL_420", "YBR_ICT", "YBR_RCT"};
    if (std::none_of(std::begin(known), std::end(known), [&](const char* k) { return facts.photometric == k; }))
        Refuse(syntax,
               common::TrText("imageio", "the photometric interpretation \"%1\" is not known")
                   .Arg(facts.photometric.substr(0, 32)));
    return layout;
}

std::uint32_t Be32At(std::span<const std::uint8_t> s, std::size_t p)
{
    return (static_cast<std::uint32_t>(s[p]) << 24) | (static_cast<std::uint32_t>(s[p + 1]) << 16) |
           (static_cast<std::uint32_t>(s[p + 2]) << 8) | s[p + 3];
}

// A JPEG 2000 frame wrapped in JP2 boxes (signature, header, ..., codestream): the contents of its
// contiguous codestream box, every box length checked against the fragment. Nothing when the
// fragment does not start with the JP2 signature box.
std::optional<std::span<const std::uint8_t>> Jp2Codestream(std::span<const std::uint8_t> fragment,
                                                           const common::Text& syntax)
{
    static const std::uint8_t signature[12] = {0, 0, 0, 12, 'j', 'P', ' ', ' ', 0x0D, 0x0A, 0x87, 0x0A};
    if (fragment.size() < 12 || !std::equal(signature, signature + 12, fragment.begin()))
        return std::nullopt;
    std::size_t p = 0;
    while (fragment.size() - p >= 8) {
        std::uint64_t length = Be32At(fragment, p);
        const bool codestream = std::equal(fragment.begin() + static_cast<std::ptrdiff_t>(p + 4),
                                           fragment.begin() + static_cast<std::ptrdiff_t>(p + 8), "jp2c");
        std::size_t head = 8;
        if (length == 1) {  // a 64-bit length follows the type
            if (fragment.size() - p < 16)
                break;
            length = (static_cast<std::uint64_t>(Be32At(fragment, p + 8)) << 32) | Be32At(fragment, p + 12);
            head = 16;
        } else if (length == 0) {  // the box runs to the end
            length = fragment.size() - p;
        }
        if (length < head || length > fragment.size() - p)
            Refuse(syntax,
                   common::TrText("imageio", "a JP2 box of its JPEG 2000 data runs past the end of its fragment"));
        if (codestream)
            return fragment.subspan(p + head, static_cast<std::size_t>(length) - head);
        p += static_cast<std::size_t>(length);
    }
    Refuse(syntax, common::TrText("imageio", "its JPEG 2000 data are wrapped in JP2 boxes without a codestream box"));
}

// The fragments as the codec is to see them: JPEG 2000 frames wrapped in JP2 boxes are unwrapped
// to their codestream, which is what the transfer syntax holds and the checks read.
std::vector<std::span<const std::uint8_t>> CodestreamsOf(const DicomFacts& facts, const common::Text& syntax)
{
    std::vector<std::span<const std::uint8_t>> fragments = facts.fragments;
    if (CodestreamOf(facts.transferSyntax) == Codestream::Jpeg2000)
        for (std::size_t i = 1; i < fragments.size(); ++i)
            if (const auto codestream = Jp2Codestream(fragments[i], syntax))
                fragments[i] = *codestream;
    return fragments;
}

// Compressed pixels: the checks before the codec, then the codec itself in the helper process.
// Decodes into what `out` gives once the samples arrive (`need` bytes), and returns the photometric interpretation of what the
// codec wrote (JPEG codecs may turn YBR into RGB, or leave it).
std::string DecodeWithLibrary(const DicomFacts& facts, std::uint64_t need, const common::Text& syntax,
                              const std::function<char*()>& out, std::vector<std::string>& notes,
                              const DecodeLimits& limits)
{
    const std::vector<std::span<const std::uint8_t>> fragments = CodestreamsOf(facts, syntax);
    CheckCodestreams(fragments,
                     StreamShape{facts.columns, facts.rows, facts.samplesPerPixel, facts.bitsAllocated, facts.bitsStored,
                                 facts.frames},
                     CodestreamOf(facts.transferSyntax), syntax);
    CodecRequest request;
    request.transferSyntax = facts.transferSyntax;
    request.photometric = facts.photometric.empty() ? "MONOCHROME2" : facts.photometric;
    request.columns = static_cast<std::uint32_t>(facts.columns);
    request.rows = static_cast<std::uint32_t>(facts.rows);
    request.frames = static_cast<std::uint32_t>(facts.frames);
    request.samplesPerPixel = static_cast<std::uint16_t>(facts.samplesPerPixel);
    request.bitsAllocated = static_cast<std::uint16_t>(facts.bitsAllocated);
    request.bitsStored = static_cast<std::uint16_t>(facts.bitsStored > 0 ? facts.bitsStored : facts.bitsAllocated);
    request.pixelRepresentation = static_cast<std::uint16_t>(facts.pixelRepresentation);
    request.planar = static_cast<std::uint16_t>(facts.planar);
    request.need = need;
    request.fragments.assign(fragments.begin() + (fragments.empty() ? 0 : 1), fragments.end());  // no offset table
    const CodecResult result = DecodeInHelper(request, out, syntax, {limits.helperTimeout});
    notes.insert(notes.end(), result.notes.begin(), result.notes.end());
    if (!result.decoded)
        Refuse(syntax, CodecFailureText(result));
    return result.holds;
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
                      std::uint64_t need, const common::Text& syntax, std::vector<std::string>& notes,
                      const DecodeLimits& limits)
{
    const std::span<const std::uint8_t> walked = facts.deflated ? std::span<const std::uint8_t>(facts.inflated) : file;
    const bool rle = facts.transferSyntax == kRleLossless;
    // Which samples the buffer holds: the file's own for uncompressed and RLE data, what the codec
    // says for the others (JPEG codecs return YBR as it is or turn it into RGB).
    const auto holds = [&](const std::string& photometric) {
        layout.ybr = photometric.rfind("YBR", 0) == 0;
        layout.reversible = !layout.ybr && facts.photometric == "YBR_RCT";
    };
    holds(facts.photometric);
    std::vector<std::uint8_t> samples;
    try {
        if (rle) {
            samples = DecodeRle(facts.fragments, facts.columns, facts.rows, facts.frames, layout.bitsAllocated / 8,
                                layout.samplesPerPixel, syntax);
            layout.planar = false;  // the segments come out interleaved
        } else if (facts.encapsulated && layout.samplesPerPixel == 1 && layout.bitsAllocated == 16) {
            // The common case decodes straight into the words' memory.
            std::vector<std::uint16_t> raw;
            const auto into = [&] {
                raw.resize(static_cast<std::size_t>(need / 2));
                return reinterpret_cast<char*>(raw.data());
            };
            DecodeWithLibrary(facts, need, syntax, into, notes, limits);
            return ToWords16InPlace(std::move(raw), layout);
        } else if (facts.encapsulated) {
            const auto into = [&] {
                samples.resize(static_cast<std::size_t>(need));
                return reinterpret_cast<char*>(samples.data());
            };
            holds(DecodeWithLibrary(facts, need, syntax, into, notes, limits));
        } else {
            samples = NativeSamples(facts, walked, need);
        }
    } catch (const DecodeError&) {
        throw;
    } catch (const std::bad_alloc&) {
        Refuse(syntax, common::TrText("imageio", "not enough memory to decode it"));
    } catch (const std::exception& e) {
        Refuse(syntax, DecoderFailedText(e.what()));
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
    const auto stated = [&](std::uint16_t group, std::uint16_t element) {
        const std::optional<std::string> text = facts.Text(group, element);
        return text ? TrimControls(FirstValue(*text)) : std::string();
    };
    pixels.pixelSpacing = stated(0x0028, 0x0030);
    pixels.imagerPixelSpacing = stated(0x0018, 0x1164);
    pixels.detectorElementSpacing = stated(0x0018, 0x7022);
}

} // namespace

namespace {

DicomPixels DecodeWalked(std::span<const std::uint8_t> file, const DicomFacts& facts, const DecodeLimits& limits)
{
    const common::Text syntax = TransferSyntaxText(facts.transferSyntax);
    if (!facts.hasPixelData)
        Refuse(syntax, common::TrText("imageio", "it holds no image (no Pixel Data element)"));
    if (facts.encapsulated && !HasDecoder(facts.transferSyntax))
        Refuse(syntax, common::TrText("imageio", "this program has no decoder for it"));
    if (!facts.encapsulated && IsEncapsulated(facts.transferSyntax))
        Refuse(syntax, common::TrText("imageio", "its pixel data are not the fragments that syntax needs"));
    SampleLayout layout = LayoutOf(facts, syntax);
    // One limit for the decoder and the viewer, before a byte is decoded or allocated.
    if (facts.columns > kMaxBitmapSide || facts.rows > kMaxBitmapSide || facts.columns * facts.rows > kMaxBitmapPixels)
        Refuse(syntax, TooLargeImageText(facts.columns, facts.rows));
    layout.ybr422 = !facts.encapsulated && facts.photometric == "YBR_FULL_422";
    const std::uint64_t need = LayoutBytes(layout);
    if (!facts.encapsulated && need > facts.pixelValueLength)
        Refuse(syntax,
               common::TrText("imageio", "the pixel data hold %1 bytes, but %2 frame(s) of %3 x %4 need %5")
                   .Arg(static_cast<unsigned long long>(facts.pixelValueLength))
                   .Arg(facts.frames)
                   .Arg(facts.columns)
                   .Arg(facts.rows)
                   .Arg(static_cast<unsigned long long>(need)));
    if (need > limits.maxDecodedBytes)
        Refuse(syntax,
               common::TrText("imageio", "the decoded image would take %1 bytes, more than the limit of %2")
                   .Arg(static_cast<unsigned long long>(need))
                   .Arg(static_cast<unsigned long long>(limits.maxDecodedBytes)));

    DicomPixels pixels;
    Words16 words = DecodeSamples(file, facts, layout, need, syntax, pixels.codecNotes, limits);
    pixels.columns = static_cast<std::int32_t>(facts.columns);
    pixels.rows = static_cast<std::int32_t>(facts.rows);
    pixels.frames = static_cast<std::int32_t>(facts.frames);
    pixels.words = std::move(words.words);
    pixels.valueOffset = ValueOffset(facts, words.valueShift, syntax);
    pixels.valueShift = words.valueShift;
    pixels.scaleBits = words.scaleBits;
    pixels.syntaxText = syntax;
    pixels.colour = layout.samplesPerPixel == 3;
    pixels.rescaleSlope = facts.Text(0x0028, 0x1053).value_or("");
    pixels.explicitVr = facts.explicitVr;
    ChooseSpacing(facts, pixels);
    pixels.header = DecodedHeader(facts, pixels.columns, pixels.rows,
                                  pixels.valueShift ? std::to_string(pixels.valueOffset) : std::string());
    return pixels;
}

} // namespace

DicomPixels DecodeDicomBytes(std::span<const std::uint8_t> file, const DecodeLimits& limits)
{
    return DecodeWalked(file, WalkDicom(file, WalkLimits{static_cast<std::size_t>(limits.maxDecodedBytes)}), limits);
}

std::optional<DicomPixels> DecodeIfNeeded(std::span<const std::uint8_t> file, const DecodeLimits& limits)
{
    std::optional<DicomFacts> walked;
    if (!DecodeReason(file, &walked))
        return std::nullopt;
    // Only files not deflated are walked to decide, so the walk's inflate limit never mattered.
    return walked ? DecodeWalked(file, *walked, limits) : DecodeDicomBytes(file, limits);
}

} // namespace imageio
