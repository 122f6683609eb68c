#pragma once
// A strict walk over a DICOM file's elements, before any library is given the file: it reads the
// transfer syntax, checks that every stated length (elements, items, fragments) lies inside the
// file, and collects the image facts the decoder needs. Libraries size their buffers from stated
// lengths, so nothing reaches them that this walk did not bound.
//
// The walk reads every length in full (32 bits), follows sequences to a limited depth, inflates a
// deflated data set up to a limit, and never reads outside its input.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace imageio {

// One top-level element of the data set; `value` points into the walked bytes.
struct RawElement {
    std::uint16_t group = 0;
    std::uint16_t element = 0;
    std::string vr;           // empty when the data set is implicit
    bool sequence = false;    // a sequence, or a value of undefined length
    std::span<const std::uint8_t> value;
};

// Move-only: the elements of a deflated file point into its own inflated bytes.
struct DicomFacts {
    DicomFacts() = default;
    DicomFacts(DicomFacts&&) = default;
    DicomFacts& operator=(DicomFacts&&) = default;
    DicomFacts(const DicomFacts&) = delete;
    DicomFacts& operator=(const DicomFacts&) = delete;

    bool hasPreamble = false;     // "DICM" after 128 bytes
    std::string transferSyntax;   // UID, trailing blanks and NULs removed; empty without a meta group
    bool explicitVr = true;
    bool bigEndian = false;
    bool deflated = false;
    std::vector<std::uint8_t> inflated;  // the deflated data set, inflated; `elements` point into it
    std::vector<RawElement> elements;    // top level, group 0002 excluded, in file order

    bool hasPixelData = false;           // a top-level (7FE0,0010)
    bool encapsulated = false;           // its value is a fragment sequence
    std::size_t pixelValueStart = 0;     // in the walked bytes (the inflated ones when deflated)
    std::size_t pixelDataEnd = 0;        // first byte after the element, in the walked bytes
    std::uint64_t pixelValueLength = 0;  // native data only
    std::vector<std::span<const std::uint8_t>> fragments;  // encapsulated data, the offset table first

    // Image pixel module, as stated (0 when absent).
    long long rows = 0, columns = 0, frames = 1;
    long long bitsAllocated = 0, bitsStored = 0, pixelRepresentation = 0, samplesPerPixel = 1, planar = 0;
    std::string photometric;

    // The text value of a top-level element, trailing blanks and NULs removed; nothing when absent.
    std::optional<std::string> Text(std::uint16_t group, std::uint16_t element) const;
};

struct WalkLimits {
    std::size_t maxInflatedBytes = std::size_t{1} << 30;
};

// Raises DecodeError, naming the transfer syntax, for a length past the end of the file, an
// unreadable element header, sequences nested too deep or a data set that inflates beyond the limit.
DicomFacts WalkDicom(std::span<const std::uint8_t> file, const WalkLimits& limits = {});

// Why the header scanner's path would not give the right pixels for this file, or nothing when it
// does: compressed, deflated, big-endian data set, several frames, samples that are not single
// 16-bit values, or a DICOM file whose Pixel Data the scanner cannot find. Never raises: a file
// the walk refuses is one for the decoder to refuse with its message. When the whole file had to
// be walked to decide, `walked` receives the facts, so that the decoder need not walk it again.
std::optional<std::string> DecodeReason(std::span<const std::uint8_t> file, std::optional<DicomFacts>* walked = nullptr);

} // namespace imageio
