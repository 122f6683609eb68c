#include "CodestreamCheck.h"

#include <algorithm>
#include <optional>
#include <string>
#include <string_view>

#include "DecodeError.h"

namespace imageio {

namespace {

struct Header {
    long long columns = 0, rows = 0, components = 0;
    int precision = 0;
    bool subsampled = false;
};

unsigned Be16(std::span<const std::uint8_t> s, std::size_t at) { return static_cast<unsigned>(s[at] << 8 | s[at + 1]); }
std::uint32_t Be32(std::span<const std::uint8_t> s, std::size_t at) { return static_cast<std::uint32_t>(Be16(s, at)) << 16 | Be16(s, at + 2); }

// SOF0 .. SOF15 (DHT, JPG and DAC excepted), and SOF55 of JPEG-LS.
bool IsFrameMarker(unsigned marker)
{
    return (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC) || marker == 0xF7;
}

bool StartsWith(std::span<const std::uint8_t> data, std::string_view text)
{
    return data.size() >= text.size() && std::equal(text.begin(), text.end(), data.begin());
}

// A marker's second byte as two upper-case hex digits ("C3").
std::string HexByte(unsigned byte)
{
    static const char digits[] = "0123456789ABCDEF";
    return {digits[(byte >> 4) & 15], digits[byte & 15]};
}

// The problems both walks of a JPEG stream find.
common::Text NotAMarkerText()
{
    return common::TrText("imageio", "holds bytes that are not a marker where one belongs");
}
common::Text StuffedByteText() { return common::TrText("imageio", "holds FF 00 where a marker belongs"); }

// What the marker segments of a JPEG or JPEG-LS codestream hold from SOI up to the first scan
// (SOS), walked the way the JPEG library reads them before it decodes a frame.
struct JpegHeaderWalk {
    std::optional<Header> frame;  // the first frame header: SOFn, or SOF55 of JPEG-LS
    unsigned frameMarker = 0;
    bool jfif = false;
    int adobeTransform = -1;
    std::optional<common::Text> problem;  // why the walk stopped before the first scan
};

// Nothing when the fragment does not start with SOI.
std::optional<JpegHeaderWalk> WalkJpegHeader(std::span<const std::uint8_t> s)
{
    if (s.size() < 4 || s[0] != 0xFF || s[1] != 0xD8)
        return std::nullopt;
    JpegHeaderWalk walk;
    const auto stop = [&](common::Text why) {
        walk.problem = std::move(why);
        return walk;
    };
    std::size_t p = 2;  // after SOI
    for (;;) {
        if (p + 2 > s.size())
            return stop(common::TrText("imageio", "ends before its first scan"));
        if (s[p] != 0xFF)
            return stop(NotAMarkerText());
        const unsigned marker = s[p + 1];
        if (marker == 0xFF) {
            ++p;  // fill byte
            continue;
        }
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) {
            p += 2;  // markers without a segment
            continue;
        }
        if (marker == 0xD8 || marker == 0xD9)
            return stop(common::TrText("imageio", "starts again or ends before its first scan"));
        if (marker == 0x00)
            return stop(StuffedByteText());
        if (p + 4 > s.size())
            return stop(common::TrText("imageio", "ends before its first scan"));
        const std::size_t length = Be16(s, p + 2);
        if (length < 2 || length > s.size() - p - 2)
            return stop(common::TrText("imageio", "has a header segment that runs past its fragment"));
        const std::span<const std::uint8_t> data = s.subspan(p + 4, length - 2);
        if (marker == 0xE0 && data.size() >= 14 && StartsWith(data, std::string_view("JFIF\0", 5))) {
            walk.jfif = true;
            if (data[5] != 1)
                return stop(
                    common::TrText("imageio", "is marked JFIF version %1, not 1").Arg(static_cast<int>(data[5])));
        }
        if (marker == 0xEE && data.size() >= 12 && StartsWith(data, "Adobe"))
            walk.adobeTransform = data[11];
        if (IsFrameMarker(marker) && !walk.frame && data.size() >= 6) {
            walk.frameMarker = marker;
            walk.frame = Header{Be16(data, 3), Be16(data, 1), data[5], data[0], false};
        }
        if (marker == 0xDA)
            return walk;
        p += 2 + length;
    }
}

// Every marker segment of a JPEG or JPEG-LS codestream in one fragment, the scans' entropy-coded
// data skipped as a decoder skips it (in JPEG a marker is FF followed by a byte other than 00 and
// the restart markers; in JPEG-LS, FF followed by a byte of 80 or more). The library trusts each
// segment's length and, past the end of its data, waits for bytes that never come. Nothing when
// every segment lies inside the fragment; a codestream may go on in the next fragment.
std::optional<common::Text> JpegSegmentProblem(std::span<const std::uint8_t> s, bool jpegLs)
{
    std::size_t p = 2;  // after SOI
    bool inScan = false;
    while (p + 2 <= s.size()) {
        if (inScan) {
            if (s[p] != 0xFF) {
                ++p;
                continue;
            }
            const unsigned next = s[p + 1];
            const bool data = jpegLs ? next < 0x80 : next == 0x00 || (next >= 0xD0 && next <= 0xD7) || next == 0xFF;
            if (data) {
                p += next == 0xFF ? 1 : 2;
                continue;
            }
            inScan = false;
        }
        if (s[p] != 0xFF)
            return NotAMarkerText();
        const unsigned marker = s[p + 1];
        if (marker == 0xFF) {
            ++p;
            continue;
        }
        if (marker == 0xD9)
            return std::nullopt;
        if (marker == 0x00)
            return StuffedByteText();
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD8)) {
            p += 2;
            continue;
        }
        if (p + 4 > s.size())
            return std::nullopt;  // the segment's length is in the next fragment
        const std::size_t length = Be16(s, p + 2);
        if (length < 2 || length > s.size() - p - 2)
            return common::TrText("imageio", "has a segment (marker FF%1) that runs past the end of its fragment")
                .Arg(HexByte(marker));
        inScan = marker == 0xDA;
        p += 2 + length;
    }
    return std::nullopt;
}

// The JPEG library inside the decoder stops the whole program (an assertion) on any warning it
// gives while reading the header, and on frame types and precisions it was not built for. What
// would make it do so, or nothing.
std::optional<common::Text> JpegHeaderProblem(const JpegHeaderWalk& walk, bool lossless)
{
    if (walk.problem)
        return walk.problem;
    const unsigned frame = walk.frameMarker;
    if (frame == 0)
        return common::TrText("imageio", "has no frame header before its first scan");
    if (lossless ? frame != 0xC3 : frame != 0xC0 && frame != 0xC1)
        return common::TrText("imageio",
                              "is a kind of JPEG (frame marker FF%1) that this transfer syntax does not hold")
            .Arg(HexByte(frame));
    const int precision = walk.frame->precision;
    if (lossless ? precision < 2 || precision > 16 : precision != 8 && precision != 12)
        return common::TrText("imageio", "has samples of %1 bits, which this kind of JPEG does not have")
            .Arg(precision);
    if (walk.frame->components == 3 && !walk.jfif && walk.adobeTransform > 1)
        return common::TrText("imageio", "names an unknown colour transform (%1)").Arg(walk.adobeTransform);
    return std::nullopt;
}

// The SIZ segment after SOC, possibly inside a JP2 box within the fragment's first bytes.
std::optional<Header> Jpeg2000Header(std::span<const std::uint8_t> s)
{
    static const std::uint8_t socSiz[4] = {0xFF, 0x4F, 0xFF, 0x51};
    const std::size_t window = std::min<std::size_t>(s.size(), 4096);
    const auto at = std::search(s.begin(), s.begin() + static_cast<std::ptrdiff_t>(window), socSiz, socSiz + 4);
    if (at == s.begin() + static_cast<std::ptrdiff_t>(window))
        return std::nullopt;
    const std::size_t p = static_cast<std::size_t>(at - s.begin()) + 4;  // at Lsiz
    if (p + 38 > s.size())
        return Header{};
    Header h;
    const std::uint32_t xsiz = Be32(s, p + 4), ysiz = Be32(s, p + 8), xo = Be32(s, p + 12), yo = Be32(s, p + 16);
    if (xo > xsiz || yo > ysiz)
        return Header{};
    h.columns = xsiz - xo;
    h.rows = ysiz - yo;
    h.components = Be16(s, p + 36);
    for (long long c = 0; c < h.components; ++c) {
        const std::size_t q = p + 38 + 3 * static_cast<std::size_t>(c);
        if (q + 3 > s.size())
            return Header{};
        h.precision = std::max(h.precision, (s[q] & 0x7F) + 1);
        h.subsampled = h.subsampled || s[q + 1] != 1 || s[q + 2] != 1;
    }
    return h;
}

bool HasNoLength(unsigned marker)
{
    return (marker >= 0xFF30 && marker <= 0xFF3F) || marker == 0xFF4F || marker == 0xFF93 || marker == 0xFFD9 ||
           marker == 0xFF92;
}

// Walks the marker segments from the start of a JPEG 2000 codestream to the first SOD the way the
// library's own header parser does, which trusts every segment length and reads ten bytes of COD:
// false when that walk would leave the fragment.
bool Jpeg2000MarkersInside(std::span<const std::uint8_t> s)
{
    std::size_t p = 0;
    while (p + 2 <= s.size()) {
        const unsigned marker = Be16(s, p);
        p += 2;
        if (HasNoLength(marker)) {
            if (marker == 0xFF93)
                return true;
            continue;
        }
        if (p + 2 > s.size())
            return true;  // the parser stops here
        const std::size_t length = Be16(s, p);
        p += 2;
        if (length < 2)
            return true;
        if (marker == 0xFF52) {  // COD
            if (p + 10 > s.size())
                return false;
            if (s[p + 4] > 1 || s[p + 9] > 1 || s[p + 9] == 0)
                return true;  // the parser stops at these values
        }
        if (length - 2 > s.size() - p)
            return false;
        p += length - 2;
    }
    return true;
}

} // namespace

bool Jpeg2000ColourTransform(std::span<const std::uint8_t> s)
{
    std::size_t p = 0;
    while (p + 4 <= s.size()) {
        const unsigned marker = Be16(s, p);
        p += 2;
        if (HasNoLength(marker)) {
            if (marker == 0xFF93)
                return false;
            continue;
        }
        const std::size_t length = Be16(s, p);
        if (marker == 0xFF52)  // COD: Scod, progression order, two bytes of layers, then the transform
            return length >= 7 && p + 7 <= s.size() && s[p + 6] == 1;
        if (length < 2 || length > s.size() - p)
            return false;
        p += length;
    }
    return false;
}

void CheckCodestreams(const std::vector<std::span<const std::uint8_t>>& fragments, const StreamShape& shape,
                      Codestream kind, const common::Text& syntaxText)
{
    const bool jpeg2000 = kind == Codestream::Jpeg2000;
    const auto refuse = [&](const common::Text& why) { return CannotOpenError(syntaxText, why); };
    if (!jpeg2000 && shape.bitsAllocated > 16)
        throw refuse(common::TrText("imageio",
                                    "its header states samples of %1 bits, which a JPEG or JPEG-LS stream cannot hold")
                         .Arg(shape.bitsAllocated));
    // The first item is the offset table; every frame needs a fragment of its own at least.
    if (fragments.size() < 2 || static_cast<long long>(fragments.size() - 1) < shape.frames)
        throw refuse(common::TrText("imageio", "its pixel data hold %1 fragment(s) for %2 frame(s)")
                         .Arg(fragments.size() < 2 ? 0 : fragments.size() - 1)
                         .Arg(shape.frames));
    for (std::size_t i = 1; i < fragments.size(); ++i) {
        const bool soc = fragments[i].size() >= 2 && fragments[i][0] == 0xFF && fragments[i][1] == 0x4F;
        // Only bare codestreams: the library's parser of JP2 boxes trusts their lengths too.
        if (jpeg2000 && i == 1 && !soc)
            throw refuse(common::TrText("imageio", "the first fragment does not start a JPEG 2000 codestream"));
        if (jpeg2000 && soc && !Jpeg2000MarkersInside(fragments[i]))
            throw refuse(common::TrText("imageio", "the JPEG 2000 header in fragment %1 runs past its end").Arg(i));
        const std::optional<JpegHeaderWalk> walk =
            jpeg2000 ? std::nullopt : WalkJpegHeader(fragments[i]);
        // A codestream whose walk found no frame header gets an empty one, which fails the check.
        const std::optional<Header> h = jpeg2000 ? Jpeg2000Header(fragments[i])
                                        : walk   ? std::optional<Header>(walk->frame.value_or(Header{}))
                                                 : std::nullopt;
        if (!h) {
            if (i == 1)
                throw refuse(common::TrText("imageio", "the first fragment does not start a compressed image"));
            continue;  // the rest of a codestream that began in an earlier fragment
        }
        if (kind == Codestream::JpegLossy || kind == Codestream::JpegLossless)
            if (const auto problem = JpegHeaderProblem(*walk, kind == Codestream::JpegLossless))
                throw refuse(common::TrText("imageio", "the JPEG stream in fragment %1 %2").Arg(i).Arg(*problem));
        if (!jpeg2000)
            if (const auto problem = JpegSegmentProblem(fragments[i], kind == Codestream::JpegLs))
                throw refuse(common::TrText("imageio", "the compressed stream in fragment %1 %2").Arg(i).Arg(*problem));
        // Eight-bit samples hold exactly what the codestream's precision says: fewer stored bits
        // than that is a pixel module that contradicts its own data.
        if (shape.bitsAllocated == 8 && shape.bitsStored > 0 && h->precision > shape.bitsStored)
            throw refuse(common::TrText("imageio",
                                        "the compressed image in fragment %1 has samples of %2 bits where the header "
                                        "states %3 bits stored")
                             .Arg(i)
                             .Arg(h->precision)
                             .Arg(shape.bitsStored));
        if (h->columns != shape.columns || h->rows != shape.rows || h->components != shape.samplesPerPixel ||
            h->precision < 1 || h->precision > shape.bitsAllocated || h->subsampled)
            throw refuse(
                common::TrText("imageio",
                               "the compressed image in fragment %1 is %2 x %3 with %4 component(s) of %5 bits, "
                               "not the %6 x %7 the header states")
                    .Arg(i)
                    .Arg(h->columns)
                    .Arg(h->rows)
                    .Arg(h->components)
                    .Arg(h->precision)
                    .Arg(shape.columns)
                    .Arg(shape.rows));
    }
}

} // namespace imageio
