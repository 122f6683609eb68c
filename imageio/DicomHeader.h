#pragma once
// The DICOM header reader: a byte-pattern scanner over the loaded file, not a full parser. It finds
// the first Pixel Data tag, walks the elements from (0002,0002) up to it, and reports the rows of
// the header grid, the acquisition summary and the viewer parameters the header supplies.
//
// Group, element and length fields are always read least significant byte first and only the low
// 16 bits of a length are used. The walk never reads outside the stream, never allocates in
// proportion to a length field, and consumes at least four bytes per element.
#include <array>
#include <cstdint>
#include <exception>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "DicomDictionary.h"

namespace imageio {

// " No", "Group", "Element", "VR", "CHR#", "Name", "Value".
using DicomRow = std::array<std::string, 7>;

// Texts the reader leaves in the viewer's parameter edits. The first five are always written
// (emptied, "0" for the offset, then filled from the header); the optional ones only when the
// header carries them.
struct DicomEdits {
    std::string header;   // byte offset of the first pixel
    std::string fov;
    std::string sizeX;    // from Rows
    std::string sizeY;    // from Columns
    std::string offset = "0";
    std::optional<std::string> pixelSpacing;
    std::optional<std::string> windowLevel;
    std::optional<std::string> windowWidth;
    std::optional<bool> swap;  // from the transfer syntax
};

// The spacing elements the walk read, for a measurement that wants the spacing in the detector
// plane rather than the one the edit shows. Each holds the element's first value (trimmed, up to
// the first "\", also when no second value follows); a repeated element keeps its last value, as
// the edit does. The viewer does not use them.
struct DicomSpacings {
    std::optional<std::string> pixel;            // (0028,0030) Pixel Spacing
    std::optional<std::string> imager;           // (0018,1164) Imager Pixel Spacing
    std::optional<std::string> detectorElement;  // (0018,7022) Detector Element Spacing
    // Which of (0028,0030) and (0018,7022) last wrote the edit's pixel spacing, as
    // group << 16 | element; 0 when neither did.
    std::uint32_t editTag = 0;
};

struct DicomHeaderResult {
    bool pixelDataFound = false;  // without it the grid and the summary keep what they showed
    DicomEdits edits;
    DicomSpacings spacings;
    std::vector<DicomRow> rows;   // grid rows from row 1 on, as far as they were written
    std::size_t rowCount = 1;     // the grid's row count afterwards, title row included
    std::optional<std::string> summary;  // the summary text, when the walk showed one
    std::size_t unlistedElements = 0;  // elements read past the listing limit: counted, not listed
    bool ranOutOfData = false;    // the walk stopped at the end of the stream
    std::exception_ptr failure;   // a conversion error that stopped the reader part-way
};

// Rows the grid is given while the walk writes into it; it keeps them when a conversion error stops
// the reader, and grows when a header lists more.
inline constexpr std::size_t kDicomGridRows = 1024;

// Rows the header listing holds at most. Real headers list a few hundred elements, enhanced
// multi-frame ones some ten thousand; a crafted file can list millions (1.86 million in 32 MB),
// which would take the window seconds and gigabytes. Past the limit the walk still reads every
// element (the summary and the edits may come from any of them) but only counts them.
inline constexpr std::size_t kDicomListedRows = 100'000;

DicomHeaderResult ReadDicomHeader(std::span<const std::uint8_t> stream, const DicomDictionary& dictionary,
                                  std::size_t listedRows = kDicomListedRows);

// Position of the first Pixel Data tag (7FE0,0010), searched from the start of the stream among
// the start positions before half its size; nothing when there is none.
std::optional<std::size_t> FindPixelDataTag(std::span<const std::uint8_t> stream);

// Where the pixel values start for a Pixel Data tag at `tag`: after the explicit VR "OB"/"OW", two
// reserved bytes and a four-byte length (tag + 12), or after an implicit four-byte length (tag + 8).
long long PixelDataOffset(std::span<const std::uint8_t> stream, std::size_t tag);

} // namespace imageio
