#include "FrameStream.h"

#include <algorithm>
#include <map>
#include <stdexcept>

#include "TransferSyntax.h"

namespace imageio {

namespace {

class Writer {
public:
    explicit Writer(bool explicitVr) : explicit_(explicitVr) {}
    std::vector<std::uint8_t> bytes;

    void U16(unsigned v)
    {
        bytes.push_back(static_cast<std::uint8_t>(v & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
    }
    void U32(std::uint32_t v)
    {
        U16(v & 0xFFFF);
        U16(v >> 16);
    }
    // An element header: explicit VRs with a long form take two reserved bytes and a 32-bit length.
    void Head(std::uint16_t group, std::uint16_t element, const std::string& vr, std::uint32_t length, bool forceExplicit = false)
    {
        U16(group);
        U16(element);
        if ((explicit_ || forceExplicit) && vr.size() == 2) {
            bytes.insert(bytes.end(), vr.begin(), vr.end());
            if (LongForm(vr)) {
                U16(0);
                U32(length);
            } else {
                U16(length);
            }
        } else {
            U32(length);
        }
    }
    static bool LongForm(const std::string& vr)
    {
        return vr == "OB" || vr == "OD" || vr == "OF" || vr == "OL" || vr == "OV" || vr == "OW" || vr == "SQ" ||
               vr == "SV" || vr == "UC" || vr == "UN" || vr == "UR" || vr == "UT" || vr == "UV";
    }

private:
    bool explicit_;
};

std::vector<std::uint8_t> Padded(std::string text, char pad)
{
    if (text.size() % 2)
        text.push_back(pad);
    return {text.begin(), text.end()};
}

std::vector<std::uint8_t> Us(unsigned v) { return {static_cast<std::uint8_t>(v & 0xFF), static_cast<std::uint8_t>(v >> 8)}; }

// Bytes per swapped unit of a binary VR; 0 for texts and bytes.
int SwapUnit(const std::string& vr)
{
    if (vr == "US" || vr == "SS" || vr == "OW" || vr == "AT")
        return 2;
    if (vr == "UL" || vr == "SL" || vr == "FL" || vr == "OF" || vr == "OL")
        return 4;
    if (vr == "FD" || vr == "OD" || vr == "SV" || vr == "UV" || vr == "OV")
        return 8;
    return 0;
}

struct Out {
    std::string vr;
    std::vector<std::uint8_t> value;
};

void WriteMeta(Writer& w, const std::vector<std::uint8_t>& sopClass, const std::string& syntaxUid)
{
    w.bytes.assign(128, 0);
    for (char c : std::string("DICM"))
        w.bytes.push_back(static_cast<std::uint8_t>(c));
    const std::vector<std::uint8_t> syntax = Padded(syntaxUid, '\0');
    const std::uint32_t groupLength = static_cast<std::uint32_t>(14 + 8 + sopClass.size() + 8 + syntax.size());
    w.Head(0x0002, 0x0000, "UL", 4, true);
    w.U32(groupLength);
    w.Head(0x0002, 0x0001, "OB", 2, true);
    w.U16(0x0100);
    w.Head(0x0002, 0x0002, "UI", static_cast<std::uint32_t>(sopClass.size()), true);
    w.bytes.insert(w.bytes.end(), sopClass.begin(), sopClass.end());
    w.Head(0x0002, 0x0010, "UI", static_cast<std::uint32_t>(syntax.size()), true);
    w.bytes.insert(w.bytes.end(), syntax.begin(), syntax.end());
}


} // namespace

std::vector<std::uint8_t> DecodedHeader(const DicomFacts& facts, std::int32_t columns, std::int32_t rows,
                                        const std::string& intercept)
{
    std::map<std::uint32_t, Out> elements;  // ordered by tag, as a data set is
    for (const RawElement& e : facts.elements) {
        if (e.sequence || e.element == 0x0000 || e.group == 0x7FE0 || e.group == 0xFFFC || e.group < 0x0008 ||
            e.value.size() > 65534 || (e.group == 0x0028 && e.element < 0x0200))
            continue;
        // The header reader takes a two-byte length after every VR but OB, OW and UN; other
        // long-form VRs would throw its walk off, so the decoded header leaves them out.
        if (Writer::LongForm(e.vr) && e.vr != "OB" && e.vr != "OW" && e.vr != "UN")
            continue;
        Out out{e.vr, {e.value.begin(), e.value.end()}};
        if (facts.bigEndian)
            if (const int unit = SwapUnit(e.vr))
                for (std::size_t i = 0; i + unit <= out.value.size(); i += static_cast<std::size_t>(unit))
                    std::reverse(out.value.begin() + static_cast<std::ptrdiff_t>(i),
                                 out.value.begin() + static_cast<std::ptrdiff_t>(i) + unit);
        elements[(static_cast<std::uint32_t>(e.group) << 16) | e.element] = std::move(out);
    }
    // The pixel module of what the stream holds: one frame of signed 16-bit monochrome words.
    const auto set = [&](std::uint16_t element, const char* vr, std::vector<std::uint8_t> value) {
        elements[(0x0028u << 16) | element] = Out{vr, std::move(value)};
    };
    set(0x0002, "US", Us(1));
    set(0x0004, "CS", Padded("MONOCHROME2", ' '));
    set(0x0010, "US", Us(static_cast<unsigned>(rows)));
    set(0x0011, "US", Us(static_cast<unsigned>(columns)));
    set(0x0100, "US", Us(16));
    set(0x0101, "US", Us(16));
    set(0x0102, "US", Us(15));
    set(0x0103, "US", Us(1));
    if (!intercept.empty())
        set(0x1052, "DS", Padded(intercept, ' '));

    Writer w(facts.explicitVr);
    WriteMeta(w, Padded(facts.Text(0x0008, 0x0016).value_or(""), '\0'),
              std::string(facts.explicitVr ? kExplicitLittle : kImplicitLittle));

    for (const auto& [tag, out] : elements) {
        w.Head(static_cast<std::uint16_t>(tag >> 16), static_cast<std::uint16_t>(tag & 0xFFFF), out.vr,
               static_cast<std::uint32_t>(out.value.size()));
        w.bytes.insert(w.bytes.end(), out.value.begin(), out.value.end());
    }
    w.Head(0x7FE0, 0x0010, "OW", static_cast<std::uint32_t>(columns) * static_cast<std::uint32_t>(rows) * 2);
    return std::move(w.bytes);
}

std::vector<std::uint8_t> FrameStream(const DicomPixels& pixels, std::int32_t frame)
{
    if (frame < 0 || frame >= pixels.frames)
        throw std::out_of_range("FrameStream: no such frame");
    const std::size_t count = static_cast<std::size_t>(pixels.columns) * static_cast<std::size_t>(pixels.rows);
    std::vector<std::uint8_t> stream;
    stream.reserve(pixels.header.size() * 2 + count * 2 + 16);
    stream = pixels.header;
    stream.resize(pixels.header.size() + count * 2);
    const std::uint16_t* words = pixels.words.data() + static_cast<std::size_t>(frame) * count;
    std::uint8_t* out = stream.data() + pixels.header.size();
    for (std::size_t i = 0; i < count; ++i) {
        out[2 * i] = static_cast<std::uint8_t>(words[i] & 0xFF);
        out[2 * i + 1] = static_cast<std::uint8_t>(words[i] >> 8);
    }
    // The scanner looks for the Pixel Data tag among the first half of the stream: pad small
    // images whose header outweighs their pixels.
    const std::size_t tag = pixels.header.size() - (pixels.explicitVr ? 12 : 8);
    const std::size_t headLength = pixels.explicitVr ? 12 : 8;
    if (stream.size() < 2 * tag + 2) {
        std::size_t padding = 2 * tag + 2 - std::min(2 * tag + 2, stream.size() + headLength);
        padding += padding % 2;
        Writer w(pixels.explicitVr);
        w.Head(0xFFFC, 0xFFFC, "OB", static_cast<std::uint32_t>(padding));
        stream.insert(stream.end(), w.bytes.begin(), w.bytes.end());
        stream.resize(stream.size() + padding, 0);
    }
    return stream;
}

std::vector<common::Text> DecodedSummaryLines(const DicomPixels& pixels, std::int32_t frame)
{
    std::vector<common::Text> lines;
    lines.push_back(common::TrText("imageio", "Decoded : %1").Arg(pixels.syntaxText));
    lines.push_back(common::TrText("imageio", "frame %1 of %2").Arg(frame + 1).Arg(pixels.frames));
    if (pixels.colour)
        lines.push_back(common::TrText("imageio", "Colour image shown as luminance (0.299 R + 0.587 G + 0.114 B)"));
    if (pixels.scaleBits)
        lines.push_back(
            common::TrText("imageio", "32-bit values divided by %1 to fit 16 bits").Arg(1LL << pixels.scaleBits));
    if (pixels.valueShift)
        lines.push_back(common::TrText("imageio", "Values beyond 16 bits signed: stored minus %1, Offset plus as much")
                            .Arg(static_cast<long long>(pixels.valueShift)));
    if (!pixels.rescaleSlope.empty() && pixels.rescaleSlope != "1" && pixels.rescaleSlope != "1.0")
        lines.push_back(common::TrText("imageio", "RescaleSlope %1 not applied: values are stored value + intercept")
                            .Arg(pixels.rescaleSlope));
    if (!pixels.spacingSource.empty())
        lines.push_back(common::TrText("imageio", "mm spacing from %1").Arg(pixels.spacingSource));
    for (const std::string& note : pixels.codecNotes)
        lines.push_back(common::TrText("imageio", "WARNING, damaged? The decoder reported: %1").Arg(note));
    return lines;
}

std::string DecodedSummary(const DicomPixels& pixels, std::int32_t frame)
{
    std::string text;
    for (const common::Text& line : DecodedSummaryLines(pixels, frame))
        text += line.Plain() + "\r\n";
    return text;
}

std::optional<common::Text> DamageWarning(const DicomPixels& pixels)
{
    if (pixels.codecNotes.empty())
        return std::nullopt;
    return common::TrText("imageio",
                          "The decoder reported a problem with this file (%1). The image is shown, but its "
                          "pixels may be wrong; measure it only if you accept that.")
        .Arg(pixels.codecNotes.front());
}

} // namespace imageio
