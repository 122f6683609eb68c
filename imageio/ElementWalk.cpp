#include "ElementWalk.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <zlib.h>

#include "DecodeError.h"
#include "DicomHeader.h"
#include "ImageLimits.h"
#include "TransferSyntax.h"

namespace imageio {

namespace {

constexpr std::uint32_t kUndefined = 0xFFFFFFFF;
constexpr int kMaxDepth = 16;

struct Header {
    std::uint16_t group = 0, element = 0;
    std::string vr;
    std::uint32_t length = 0;
};

bool IsLongVr(const std::string& vr)
{
    static const char* const longForms[] = {"OB", "OD", "OF", "OL", "OV", "OW", "SQ", "SV", "UC", "UN", "UR", "UT", "UV"};
    return std::any_of(std::begin(longForms), std::end(longForms), [&](const char* v) { return vr == v; });
}

std::string Hex4(unsigned v)
{
    static const char digits[] = "0123456789ABCDEF";
    return {digits[(v >> 12) & 15], digits[(v >> 8) & 15], digits[(v >> 4) & 15], digits[v & 15]};
}

std::string TagText(unsigned group, unsigned element) { return "(" + Hex4(group) + "," + Hex4(element) + ")"; }

common::Text ElementText(const Header& h)
{
    return common::TrText("imageio", "element %1").Arg(TagText(h.group, h.element));
}

std::string Trimmed(std::span<const std::uint8_t> value)
{
    std::string text(value.begin(), value.end());
    while (!text.empty() && (text.back() == ' ' || text.back() == '\0'))
        text.pop_back();
    while (!text.empty() && text.front() == ' ')
        text.erase(text.begin());
    return text;
}

// A value representation is two ASCII capitals, whatever the user's locale calls upper case.
bool IsUpperAscii(unsigned char c) { return c >= 'A' && c <= 'Z'; }

// As many elements as the header grid lists.
constexpr std::size_t kMaxKeptElements = 100'000;

bool IsReadByTheDecoder(std::uint16_t group, std::uint16_t element)
{
    return group == 0x0028 || group == 0x7FE0 || (group == 0x0008 && element == 0x0016) ||
           (group == 0x0018 && element == 0x1164);
}

class Walker {
public:
    Walker(std::span<const std::uint8_t> bytes, std::string syntax, bool little, bool explicitVr)
        : s_(bytes), syntax_(std::move(syntax)), little_(little), explicit_(explicitVr)
    {
    }

    std::size_t Position() const { return p_; }
    void SetPosition(std::size_t p) { p_ = p; }
    bool AtEnd() const { return p_ >= s_.size(); }
    std::size_t Remaining() const { return s_.size() - std::min(p_, s_.size()); }

    [[noreturn]] void Fail(const common::Text& what) const
    {
        throw DecodeError(common::TrText("imageio", "Cannot read this DICOM file (%1): %2.")
                              .Arg(TransferSyntaxText(syntax_))
                              .Arg(what));
    }

    std::uint16_t U16()
    {
        Need(2, [] { return common::TrText("imageio", "an element header"); });
        const std::uint16_t v = little_ ? static_cast<std::uint16_t>(s_[p_] | (s_[p_ + 1] << 8))
                                        : static_cast<std::uint16_t>((s_[p_] << 8) | s_[p_ + 1]);
        p_ += 2;
        return v;
    }
    std::uint32_t U32()
    {
        const std::uint32_t a = U16(), b = U16();
        return little_ ? a | (b << 16) : (a << 16) | b;
    }

    Header ReadHeader()
    {
        Header h;
        h.group = U16();
        h.element = U16();
        if (h.group == 0xFFFE) {  // items and delimiters never carry a VR
            h.length = U32();
            return h;
        }
        if (explicit_) {
            Need(2, [&] {
                return common::TrText("imageio", "the value representation of %1").Arg(TagText(h.group, h.element));
            });
            h.vr.assign(reinterpret_cast<const char*>(&s_[p_]), 2);
            p_ += 2;
            if (!IsUpperAscii(h.vr[0]) || !IsUpperAscii(h.vr[1]))
                Fail(common::TrText("imageio", "element %1 has no value representation")
                         .Arg(TagText(h.group, h.element)));
            if (IsLongVr(h.vr)) {
                U16();
                h.length = U32();
            } else {
                h.length = U16();
            }
        } else {
            h.length = U32();
        }
        return h;
    }

    // Checks that a stated length lies inside the data; `what()` names the part that needs it (only
    // worded when it does not fit: this runs for every element).
    template <typename What> void Need(std::uint64_t n, const What& what) const
    {
        if (n > Remaining())
            Fail(common::TrText("imageio", "%1 needs %2 bytes, but the file ends %3 bytes later")
                     .Arg(what())
                     .Arg(static_cast<unsigned long long>(n))
                     .Arg(static_cast<unsigned long long>(Remaining())));
    }

    bool NextIsItem() const
    {
        if (Remaining() < 4)
            return false;
        const std::uint8_t item[2][4] = {{0xFE, 0xFF, 0x00, 0xE0}, {0xFF, 0xFE, 0xE0, 0x00}};
        return std::memcmp(&s_[p_], item[little_ ? 0 : 1], 4) == 0;
    }

    // Items of a sequence up to `end`, or to its delimiter when the length is undefined.
    void Sequence(std::uint32_t length, int depth)
    {
        if (depth > kMaxDepth)
            Fail(common::TrText("imageio", "sequences are nested more than %1 deep").Arg(kMaxDepth));
        const std::size_t end =
            length == kUndefined ? s_.size() : Bounded(length, [] { return common::TrText("imageio", "a sequence"); });
        while (p_ < end) {
            const Header item = ReadHeader();
            if (item.group == 0xFFFE && item.element == 0xE0DD)
                return;
            if (item.group != 0xFFFE || item.element != 0xE000)
                Fail(common::TrText("imageio", "a sequence holds %1 where an item belongs")
                         .Arg(TagText(item.group, item.element)));
            if (item.length == kUndefined) {
                DataSet(s_.size(), depth + 1, true);
            } else {
                const std::size_t itemEnd = Bounded(item.length, [] { return common::TrText("imageio", "an item"); });
                DataSet(itemEnd, depth + 1, false);
                p_ = itemEnd;
            }
        }
        if (length == kUndefined)
            Fail(common::TrText("imageio", "a sequence has no end"));
        p_ = end;
    }

    // Elements up to `end`; with `delimited`, up to an item delimiter.
    void DataSet(std::size_t end, int depth, bool delimited)
    {
        while (p_ < end) {
            const Header h = ReadHeader();
            if (h.group == 0xFFFE && h.element == 0xE00D) {
                if (delimited)
                    return;
                continue;
            }
            Value(h, depth, nullptr);
        }
        if (delimited)
            Fail(common::TrText("imageio", "an item has no end"));
    }

    // The value of an element read by ReadHeader; at the top level its facts go to `facts`.
    void Value(const Header& h, int depth, DicomFacts* facts)
    {
        const bool pixels = h.group == 0x7FE0 && h.element == 0x0010;
        RawElement raw{h.group, h.element, h.vr, false, {}};
        if (pixels && h.length == kUndefined) {
            const std::size_t start = p_;
            Fragments(facts ? &facts->fragments : nullptr);
            if (facts) {
                facts->encapsulated = true;
                facts->pixelValueStart = start;
            }
            raw.sequence = true;
        } else if (h.vr == "SQ" || h.length == kUndefined || ((h.vr.empty() || h.vr == "UN") && NextIsItem() && !pixels)) {
            // A sequence stored as UN is implicit VR inside, whatever the data set around it.
            const bool outer = explicit_;
            if (h.vr == "UN")
                explicit_ = false;
            Sequence(h.length, depth + 1);
            explicit_ = outer;
            raw.sequence = true;
        } else {
            const std::size_t end = Bounded(h.length, [&] { return ElementText(h); });
            raw.value = s_.subspan(p_, end - p_);
            if (facts && pixels) {
                facts->pixelValueStart = p_;
                facts->pixelValueLength = h.length;
            }
            p_ = end;
        }
        // A hostile file may hold millions of tiny elements: beyond what the header grid lists, only
        // the elements the decoder reads are kept, so memory follows what is used.
        if (facts && (facts->elements.size() < kMaxKeptElements || IsReadByTheDecoder(raw.group, raw.element)))
            facts->elements.push_back(raw);
        if (facts) {
            if (pixels)
                facts->hasPixelData = true;
        }
    }

    // The fragments of encapsulated pixel data, up to the sequence delimiter.
    void Fragments(std::vector<std::span<const std::uint8_t>>* out)
    {
        for (;;) {
            const Header item = ReadHeader();
            if (item.group == 0xFFFE && item.element == 0xE0DD)
                return;
            if (item.group != 0xFFFE || item.element != 0xE000 || item.length == kUndefined)
                Fail(common::TrText("imageio", "the compressed pixel data hold %1 where a fragment belongs")
                         .Arg(TagText(item.group, item.element)));
            const std::size_t end =
                Bounded(item.length, [] { return common::TrText("imageio", "a pixel data fragment"); });
            if (out)
                out->push_back(s_.subspan(p_, end - p_));
            p_ = end;
        }
    }

private:
    std::span<const std::uint8_t> s_;
    std::string syntax_;
    bool little_;
    bool explicit_;
    std::size_t p_ = 0;

    template <typename What> std::size_t Bounded(std::uint32_t length, const What& what) const
    {
        Need(length, what);
        return p_ + length;
    }
};

// Whether the next element header is written with an explicit VR: two upper-case letters after the tag.
bool LooksExplicit(std::span<const std::uint8_t> s, std::size_t p)
{
    return p + 6 <= s.size() && IsUpperAscii(s[p + 4]) && IsUpperAscii(s[p + 5]);
}

// The inflated data set, at most `limit` bytes; beyond it a refusal, or with `head` only what fits.
std::vector<std::uint8_t> Inflate(std::span<const std::uint8_t> deflated, std::size_t limit, const Walker& walker,
                                  bool head = false)
{
    z_stream z{};
    if (inflateInit2(&z, -MAX_WBITS) != Z_OK)
        walker.Fail(common::TrText("imageio", "the data set cannot be inflated"));
    std::vector<std::uint8_t> out;
    z.next_in = const_cast<Bytef*>(deflated.data());
    z.avail_in = static_cast<uInt>(std::min<std::size_t>(deflated.size(), 0xFFFFFFFFu));
    int status = Z_OK;
    while (status == Z_OK) {
        const std::size_t had = out.size();
        if (had >= limit) {
            inflateEnd(&z);
            if (head)
                return out;
            walker.Fail(common::TrText("imageio", "the data set inflates to more than %1 bytes")
                            .Arg(static_cast<unsigned long long>(limit)));
        }
        out.resize(std::min(limit, std::max<std::size_t>(had * 2, 65536)));
        z.next_out = out.data() + had;
        z.avail_out = static_cast<uInt>(out.size() - had);
        status = inflate(&z, Z_NO_FLUSH);
        out.resize(out.size() - z.avail_out);
        if (status == Z_BUF_ERROR && z.avail_in == 0)
            break;  // input ended without the stream's end: use what came out
        if (status == Z_BUF_ERROR)
            status = Z_OK;
    }
    inflateEnd(&z);
    if (status != Z_STREAM_END && status != Z_BUF_ERROR)
        walker.Fail(common::TrText("imageio", "the deflated data set is corrupt"));
    return out;
}

// The integer an IS or DS text starts with (blanks and a plus sign allowed before it), read the
// same whatever the user's locale; nothing when it starts with none.
std::optional<long long> LeadingInteger(const std::string& text)
{
    std::size_t p = text.find_first_not_of(' ');
    if (p == std::string::npos)
        return std::nullopt;
    if (text[p] == '+')
        ++p;
    long long value = 0;
    const auto [end, error] = std::from_chars(text.data() + p, text.data() + text.size(), value);
    if (error != std::errc())
        return std::nullopt;
    return value;
}

long long IntOf(const RawElement& e, bool little)
{
    if (e.value.empty())
        return 0;
    if (e.vr == "IS" || e.vr == "DS")
        return LeadingInteger(Trimmed(e.value)).value_or(0);
    if (e.value.size() < 2)
        return e.value[0];
    return little ? e.value[0] | (e.value[1] << 8) : (e.value[0] << 8) | e.value[1];
}

void CollectImageFacts(DicomFacts& facts)
{
    const bool little = !facts.bigEndian;
    for (const RawElement& e : facts.elements) {
        if (e.group != 0x0028 || e.sequence)
            continue;
        switch (e.element) {
        case 0x0002: facts.samplesPerPixel = IntOf(e, little); break;
        case 0x0004: facts.photometric = Trimmed(e.value); break;
        case 0x0006: facts.planar = IntOf(e, little); break;
        case 0x0010: facts.rows = IntOf(e, little); break;
        case 0x0011: facts.columns = IntOf(e, little); break;
        case 0x0100: facts.bitsAllocated = IntOf(e, little); break;
        case 0x0101: facts.bitsStored = IntOf(e, little); break;
        case 0x0103: facts.pixelRepresentation = IntOf(e, little); break;
        case 0x0008: {
            // Number of Frames is an IS text; implicit files store it as text too.
            facts.frames = LeadingInteger(Trimmed(e.value)).value_or(1);
            break;
        }
        default: break;
        }
    }
}

} // namespace

std::optional<std::string> DicomFacts::Text(std::uint16_t group, std::uint16_t element) const
{
    for (const RawElement& e : elements)
        if (e.group == group && e.element == element && !e.sequence)
            return Trimmed(e.value);
    return std::nullopt;
}

namespace {

struct Meta {
    bool hasPreamble = false;
    std::string transferSyntax;
    std::size_t dataSetStart = 0;
    bool bigEndianHeaders = false;
};

// The preamble and the meta group (explicit VR little endian, whatever follows).
Meta ReadMeta(std::span<const std::uint8_t> file)
{
    Meta m;
    m.hasPreamble = file.size() >= 132 && std::memcmp(&file[128], "DICM", 4) == 0;
    Walker meta(file, "", true, true);
    meta.SetPosition(m.hasPreamble ? 132 : 0);
    while (meta.Remaining() >= 2 && file[meta.Position()] == 0x02 && file[meta.Position() + 1] == 0x00) {
        const Header h = meta.ReadHeader();
        if (h.length == kUndefined)
            meta.Fail(common::TrText("imageio", "the file meta group has an element of undefined length"));
        meta.Need(h.length, [&] { return ElementText(h); });
        if (h.element == 0x0010)
            m.transferSyntax = Trimmed(file.subspan(meta.Position(), h.length));
        meta.SetPosition(meta.Position() + h.length);
    }
    m.dataSetStart = meta.Position();
    // Big-endian data sets start with a group such as 0008 stored 00 08; files that state the
    // big-endian syntax but keep little-endian headers (only the pixel words swapped) read as little.
    const std::size_t p = m.dataSetStart;
    m.bigEndianHeaders = m.transferSyntax == kExplicitBig && p + 2 <= file.size() && file[p] == 0x00 && file[p + 1] != 0x00;
    return m;
}

// The top-level elements of a data set from `p` up to and including the pixel data.
void WalkElements(std::span<const std::uint8_t> data, std::size_t p, DicomFacts& facts)
{
    facts.explicitVr = p + 6 <= data.size() ? LooksExplicit(data, p) : facts.transferSyntax != kImplicitLittle;
    Walker walker(data, facts.transferSyntax, !facts.bigEndian, facts.explicitVr);
    walker.SetPosition(p);
    while (!walker.AtEnd()) {
        const Header h = walker.ReadHeader();
        if (h.group == 0xFFFE)
            walker.Fail(
                common::TrText("imageio", "the data set holds a stray item %1").Arg(TagText(h.group, h.element)));
        walker.Value(h, 0, &facts);
        if (facts.hasPixelData) {
            // What follows the pixels (padding, signatures, stray bytes) is not needed.
            facts.pixelDataEnd = walker.Position();
            break;
        }
    }
}

// How far a deflated data set may inflate. Its first megabyte is inflated and walked first: when
// it states the image (rows, columns, samples, bits, frames), the data set needs no more than those
// pixels and a megabyte of other elements, and an image larger than the program shows is refused
// before a byte of its pixels is inflated. A head that states nothing keeps the general limit.
std::size_t InflateLimit(std::span<const std::uint8_t> deflated, const DicomFacts& stated, std::size_t limit,
                         const Walker& meta)
{
    constexpr std::size_t kHead = std::size_t{1} << 20;
    const std::vector<std::uint8_t> head = Inflate(deflated, kHead, meta, true);
    DicomFacts facts;
    facts.transferSyntax = stated.transferSyntax;
    try {
        WalkElements(head, 0, facts);
    } catch (const DecodeError&) {
        // The head ends inside an element; what was walked before it still counts.
    }
    CollectImageFacts(facts);
    if (facts.rows <= 0 || facts.columns <= 0)
        return limit;
    const long long pixels = facts.rows * facts.columns;
    if (facts.rows > kMaxBitmapSide || facts.columns > kMaxBitmapSide || pixels > kMaxBitmapPixels)
        meta.Fail(TooLargeImageText(facts.columns, facts.rows));
    const long long bytes = std::clamp<long long>(facts.bitsAllocated, 8, 32) / 8 *
                            std::clamp<long long>(facts.samplesPerPixel, 1, 4) * std::clamp<long long>(facts.frames, 1, 1000000);
    const unsigned long long need = static_cast<unsigned long long>(pixels) * static_cast<unsigned long long>(bytes) + kHead;
    return static_cast<std::size_t>(std::min<unsigned long long>(limit, need));
}

} // namespace

DicomFacts WalkDicom(std::span<const std::uint8_t> file, const WalkLimits& limits)
{
    DicomFacts facts;
    const Meta m = ReadMeta(file);
    facts.hasPreamble = m.hasPreamble;
    facts.transferSyntax = m.transferSyntax;
    facts.bigEndian = m.bigEndianHeaders;
    std::size_t p = m.dataSetStart;
    const Walker meta(file, m.transferSyntax, true, true);

    const std::string& ts = facts.transferSyntax;
    facts.deflated = ts == kDeflatedLittle;
    std::span<const std::uint8_t> data = file;
    if (facts.deflated) {
        const std::span<const std::uint8_t> deflated = file.subspan(p);
        facts.inflated = Inflate(deflated, InflateLimit(deflated, facts, limits.maxInflatedBytes, meta), meta);
        data = facts.inflated;
        p = 0;
    }
    // The first element's header says whether VRs are written, whatever the transfer syntax claims
    // (some writers put implicit data sets under compressed syntaxes).
    WalkElements(data, p, facts);
    CollectImageFacts(facts);
    return facts;
}

namespace {

// The header reader takes every 16-bit word as a signed value. That is the stored value only while
// no word holds bits above Bits Stored (overlays, garbage) and no unsigned value exceeds 32767;
// otherwise the decoder masks, sign-extends and shifts the samples as the file means them.
std::optional<std::string> ValuesBeyondSignedWords(std::span<const std::uint8_t> file, const DicomFacts& facts)
{
    const int bits = facts.bitsStored >= 1 && facts.bitsStored <= 16 ? static_cast<int>(facts.bitsStored) : 16;
    const bool isSigned = facts.pixelRepresentation == 1;
    if (isSigned && bits == 16)
        return std::nullopt;
    const std::uint32_t mask = (1u << bits) - 1, sign = 1u << (bits - 1);
    const std::size_t start = facts.pixelValueStart;
    const std::size_t end = start + std::min<std::uint64_t>(facts.pixelValueLength, file.size() - start) / 2 * 2;
    const bool swapped = facts.transferSyntax == kExplicitBig;  // big-endian words under little-endian headers
    bool aboveStored = false, aboveSigned = false;
    for (std::size_t p = start; p < end; p += 2) {
        const std::uint32_t word = swapped ? (static_cast<std::uint32_t>(file[p]) << 8) | file[p + 1]
                                           : file[p] | (static_cast<std::uint32_t>(file[p + 1]) << 8);
        const std::uint32_t low = word & mask;
        // The word a signed reading needs: the low bits, sign-extended to 16 bits when signed.
        const std::uint32_t meant = isSigned && (low & sign) ? (low | ~mask) & 0xFFFF : low;
        aboveStored |= word != meant && (isSigned || (word & ~mask) != 0);
        aboveSigned |= !isSigned && low > 32767;
    }
    if (aboveSigned)
        return "unsigned values above 32767";
    if (aboveStored)
        return "bits above Bits Stored";
    return std::nullopt;
}

} // namespace

std::optional<std::string> DecodeReason(std::span<const std::uint8_t> file, std::optional<DicomFacts>* walked)
{
    Meta m;
    try {
        m = ReadMeta(file);
    } catch (const DecodeError&) {
        return std::nullopt;  // not a meta group the decoder could read either
    }
    const std::string& ts = m.transferSyntax;
    if (ts == kDeflatedLittle)
        return "deflated data set";
    if (IsEncapsulated(ts))
        return "compressed pixel data";
    if (m.bigEndianHeaders)
        return "big-endian data set";
    std::optional<DicomFacts> own;
    std::optional<DicomFacts>& facts = walked ? *walked : own;
    try {
        facts = WalkDicom(file);
    } catch (const DecodeError&) {
        // The scanner reads such a file as designed; a truncated one shows its missing pixels as 0.
        facts.reset();
        return std::nullopt;
    }
    if (!facts->hasPixelData)
        return facts->hasPreamble ? std::optional<std::string>("no image") : std::nullopt;
    const std::optional<std::size_t> found = imageio::FindPixelDataTag(file);
    const std::size_t headerLength = facts->explicitVr ? 12 : 8;
    if (!found || *found + headerLength != facts->pixelValueStart)
        return "pixel data not where the header scanner looks";
    if (facts->frames > 1)
        return "several frames";
    if (facts->samplesPerPixel != 1)
        return "colour pixels";
    if (facts->bitsAllocated != 0 && facts->bitsAllocated != 16)
        return "pixels of " + std::to_string(facts->bitsAllocated) + " bits";
    return ValuesBeyondSignedWords(file, *facts);
}

} // namespace imageio
