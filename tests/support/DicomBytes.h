#pragma once
// Builds DICOM files byte by byte for tests, fuzz seeds and benchmarks: every field little-endian,
// element by element, so a test can also write what a careful writer never would (odd lengths,
// lengths past 65,535, truncated files, missing delimiters).
#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace dicomtest {

inline constexpr const char* kExplicitLittle = "1.2.840.10008.1.2.1";
inline constexpr const char* kImplicitLittle = "1.2.840.10008.1.2";
inline constexpr const char* kExplicitBig = "1.2.840.10008.1.2.2";

class DicomBytes {
public:
    std::vector<std::uint8_t> bytes;

    DicomBytes& U16(unsigned v)
    {
        bytes.push_back(static_cast<std::uint8_t>(v & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
        return *this;
    }
    DicomBytes& U32(std::uint32_t v) { return U16(v & 0xFFFF).U16(v >> 16); }
    DicomBytes& Text(std::string_view s)
    {
        bytes.insert(bytes.end(), s.begin(), s.end());
        return *this;
    }
    DicomBytes& Raw(const std::vector<std::uint8_t>& b)
    {
        bytes.insert(bytes.end(), b.begin(), b.end());
        return *this;
    }
    DicomBytes& Tag(unsigned group, unsigned element) { return U16(group).U16(element); }

    // The 128-byte preamble, "DICM" and the file meta group, explicit VR little endian as always.
    DicomBytes& Meta(std::string_view transferSyntax)
    {
        bytes.assign(128, 0);
        Text("DICM");
        std::string ts(transferSyntax);
        if (ts.size() % 2)
            ts.push_back('\0');
        const std::string sopClass = std::string("1.2.840.10008.5.1.4.1.1.2") + '\0';  // CT image storage
        const std::uint32_t groupLength = (12 + 2) + (8 + static_cast<std::uint32_t>(sopClass.size())) +
                                          (8 + static_cast<std::uint32_t>(ts.size()));
        Explicit(0x0002, 0x0000, "UL", std::string("\0\0\0\0", 4));
        bytes[bytes.size() - 4] = static_cast<std::uint8_t>(groupLength);
        Explicit(0x0002, 0x0001, "OB", std::string("\0\1", 2));
        Explicit(0x0002, 0x0002, "UI", sopClass);
        return Explicit(0x0002, 0x0010, "UI", ts);
    }

    // An element with an explicit VR; OB, OW, OF, SQ, UN and UT take two reserved bytes and a
    // four-byte length.
    DicomBytes& Explicit(unsigned group, unsigned element, std::string_view vr, std::string_view value)
    {
        Tag(group, element).Text(vr);
        if (LongForm(vr))
            U16(0).U32(static_cast<std::uint32_t>(value.size()));
        else
            U16(static_cast<unsigned>(value.size()));
        return Text(value);
    }
    DicomBytes& Implicit(unsigned group, unsigned element, std::string_view value)
    {
        return Tag(group, element).U32(static_cast<std::uint32_t>(value.size())).Text(value);
    }
    DicomBytes& ExplicitUS(unsigned group, unsigned element, unsigned v)
    {
        return Tag(group, element).Text("US").U16(2).U16(v);
    }
    DicomBytes& ImplicitUS(unsigned group, unsigned element, unsigned v)
    {
        return Tag(group, element).U32(2).U16(v);
    }

    // Sequences: a defined-length sequence with one item, or an undefined-length one whose item
    // and sequence end with delimitation items.
    DicomBytes& SequenceStart(unsigned group, unsigned element, std::uint32_t length = 0xFFFFFFFF,
                              std::uint32_t itemLength = 0xFFFFFFFF)
    {
        return Tag(group, element).Text("SQ").U16(0).U32(length).Tag(0xFFFE, 0xE000).U32(itemLength);
    }
    DicomBytes& ItemEnd() { return Tag(0xFFFE, 0xE00D).U32(0); }
    DicomBytes& SequenceEnd() { return Tag(0xFFFE, 0xE0DD).U32(0); }
    DicomBytes& ItemStart() { return Tag(0xFFFE, 0xE000).U32(0xFFFFFFFF); }

    // Pixel data of 16-bit words, explicit (OW) or implicit.
    DicomBytes& PixelData(bool explicitVr, const std::vector<std::uint8_t>& pixels)
    {
        if (explicitVr)
            Tag(0x7FE0, 0x0010).Text("OW").U16(0).U32(static_cast<std::uint32_t>(pixels.size()));
        else
            Tag(0x7FE0, 0x0010).U32(static_cast<std::uint32_t>(pixels.size()));
        return Raw(pixels);
    }

    std::size_t Size() const { return bytes.size(); }

private:
    static bool LongForm(std::string_view vr)
    {
        return vr == "OB" || vr == "OW" || vr == "OF" || vr == "SQ" || vr == "UN" || vr == "UT";
    }
};

// `count` 16-bit little-endian words from a function of the index.
template <typename F>
std::vector<std::uint8_t> Words(std::size_t count, F value)
{
    std::vector<std::uint8_t> out;
    out.reserve(count * 2);
    for (std::size_t i = 0; i < count; ++i) {
        const auto v = static_cast<std::uint16_t>(value(i));
        out.push_back(static_cast<std::uint8_t>(v & 0xFF));
        out.push_back(static_cast<std::uint8_t>(v >> 8));
    }
    return out;
}

// A CT-like 16-bit file: explicit VR little endian, the given size, spacing 0.5 mm, rescale
// intercept -1024 and a window, then the pixel data.
inline DicomBytes CtLikeFile(unsigned rows, unsigned columns, bool explicitVr = true,
                             std::string_view transferSyntax = kExplicitLittle)
{
    DicomBytes f;
    f.Meta(explicitVr ? transferSyntax : kImplicitLittle);
    auto text = [&](unsigned g, unsigned e, std::string_view vr, std::string_view v) {
        if (explicitVr)
            f.Explicit(g, e, vr, v);
        else
            f.Implicit(g, e, v);
    };
    auto us = [&](unsigned g, unsigned e, unsigned v) {
        if (explicitVr)
            f.ExplicitUS(g, e, v);
        else
            f.ImplicitUS(g, e, v);
    };
    text(0x0008, 0x0060, "CS", "CT");
    text(0x0008, 0x1090, "LO", "Scanner 64");
    text(0x0018, 0x0050, "DS", "5 ");
    text(0x0018, 0x0060, "DS", "120 ");
    text(0x0018, 0x1100, "DS", "256 ");
    us(0x0028, 0x0010, rows);
    us(0x0028, 0x0011, columns);
    text(0x0028, 0x0030, "DS", "0.5\\0.5 ");
    text(0x0028, 0x1050, "DS", "40\\400");
    text(0x0028, 0x1051, "DS", "350 ");
    text(0x0028, 0x1052, "DS", "-1024.7 ");
    text(0x0028, 0x1053, "DS", "1 ");
    f.PixelData(explicitVr, Words(static_cast<std::size_t>(rows) * columns, [](std::size_t i) { return i % 4096; }));
    return f;
}

// A crafted file that lists `elements` data elements of one byte each (nine bytes a piece, implicit
// VR) before the pixels of a 64 x 64 picture; the pixel data is padded so that its tag lies in the
// first half of the file, where the reader looks for it. 1.86 million elements make 32 MB.
inline DicomBytes ManyElementsFile(std::size_t elements)
{
    DicomBytes f;
    f.Meta(kImplicitLittle);
    f.ImplicitUS(0x0028, 0x0010, 64).ImplicitUS(0x0028, 0x0011, 64).Implicit(0x0028, 0x0030, "0.5\\0.5 ");
    f.bytes.reserve(f.Size() + elements * 9 * 2 + 64 * 64 * 2 + 64);
    for (std::size_t i = 0; i < elements; ++i)
        f.Implicit(0x0009, 0x1010, "A");
    const std::size_t pixels = std::max<std::size_t>(64 * 64, f.Size() / 2 + 8);
    f.PixelData(false, Words(pixels, [](std::size_t i) { return i % 4096; }));
    return f;
}

} // namespace dicomtest
