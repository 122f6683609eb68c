#pragma once
// Images for the command line and the NPS window, read as the viewer reads them: a raw matrix by the file-name
// convention ("knee 256 256 0p39.raw"), a DICOM file through the viewer's header reader, and the
// samples formed by the viewer's pixel rule (swap, offset wrapped to 16 bits, read as signed).
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace viewer {

enum class FileMode { Bits8, Bits16, Dicom };

struct LoadOptions {
    FileMode mode = FileMode::Dicom;  // the viewer's default
    // Take the place of the viewer's edits; unset ones come from the name or the header.
    std::optional<long long> width, height, headerBytes;
    std::optional<std::int32_t> valueOffset;
    std::optional<double> pixelMm;
    std::optional<bool> swap;
};

struct LoadedImage {
    std::string path;
    long long width = 0, height = 0;
    std::optional<double> pixelMm;
    std::vector<double> samples;  // row-major, width x height
};

// What a decoder gives for a DICOM file the header reader cannot show as it stands (compressed,
// big-endian, several frames, ...): a stream the header reader reads, holding frame 1, and the
// matrix the decoder knows.
struct DecodedDicom {
    std::vector<std::uint8_t> stream;
    long long width = 0, height = 0, headerBytes = 0;
    std::string pixelSpacing;  // empty when the file states none
};
// Nothing when the file needs no decoding; a refusal is the decoder's own error.
using DicomDecoder = std::function<std::optional<DecodedDicom>(const std::vector<std::uint8_t>& file)>;

// Refuses (common::InputError) a size the viewer would refuse, a file without a size in its name
// or header, and a file that holds fewer bytes than its matrix needs (the viewer would show the
// missing pixels as 0; a measurement must not use them). A file that cannot be read raises
// common::FileReadError.
// In DICOM mode a file without sizes in its name goes through `decoder` first, as the viewer's
// load does; without one, only the header reader's files are read correctly.
LoadedImage LoadImage(const std::string& path, const LoadOptions& options, const DicomDecoder& decoder = {});

FileMode ParseFileMode(const std::string& text);  // "8bit", "16bit", "dicom"

// The pixel spacing all the images share; refuses (common::InputError) images without one or with
// different ones, since one ensemble needs one frequency scale.
double CommonPixelSpacing(const std::vector<LoadedImage>& images);

} // namespace viewer
