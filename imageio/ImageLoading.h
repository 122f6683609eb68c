#pragma once
// Images for the command line and the NPS window, read as the viewer reads them: a raw matrix by the
// file-name convention ("knee 256 256 0p39.raw"), a DICOM file through the header reader or the
// decoder, and the values formed by the pixel rule (swap, signed word, offset added).
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "Text.h"

namespace imageio {

enum class FileMode { Bits8, Bits16, Dicom };

// Where a loaded image's pixel spacing came from: the options (Given), the file's name, one of the
// DICOM spacing elements, the options' fallback, or nowhere.
enum class SpacingSource { None, Given, FileName, PixelSpacing, ImagerPixelSpacing, DetectorElementSpacing, Fallback };

struct LoadOptions {
    FileMode mode = FileMode::Dicom;  // the viewer's default
    // Take the place of the viewer's edits; unset ones come from the name or the header.
    std::optional<long long> width, height, headerBytes;
    std::optional<std::int32_t> valueOffset;
    std::optional<double> pixelMm;
    std::optional<bool> swap;
    // For a measurement: a DICOM file's spacing is taken in the detector plane, from Imager Pixel
    // Spacing (0018,1164), else Detector Element Spacing (0018,7022), else Pixel Spacing
    // (0028,0030), whose value may be calibrated to the object plane. A stated value that is not a
    // positive number counts as absent. Unset, the spacing is the one the viewer shows.
    bool detectorPlane = false;
    // The spacing when neither `pixelMm`, nor the name, nor the file gives one (a spacing the user
    // typed for a raw file, say).
    std::optional<double> fallbackPixelMm;
    // A file the decoder reported damage in (it still gave pixels) is refused unless this is set.
    bool acceptDamaged = false;
};

struct LoadedImage {
    std::string path;
    long long width = 0, height = 0;
    std::optional<double> pixelMm;
    std::vector<double> samples;  // row-major, width x height
    std::vector<common::Text> notes;  // warnings the decoder's codec gave for a file it still decoded
    SpacingSource spacingSource = SpacingSource::None;  // None exactly when pixelMm is unset
};

// The source as a front end names it to the user: the DICOM element with its tag, "the file name",
// or neutral words for the given and fallback spacings, which front ends word themselves.
common::Text SpacingSourceText(SpacingSource source);

// Refuses (common::InputError) a size the viewer would refuse, a file without a size in its name
// or header, a DICOM file without an image, and a file that holds fewer bytes than its matrix
// needs (the viewer would show the missing pixels as 0; a measurement must not use them). A file
// that cannot be read raises common::FileReadError; a DICOM file the decoder refuses, DecodeError.
// In DICOM mode a file without sizes in its name is decoded when the header reader alone would not
// give the values the file means; frame 1 is loaded.
LoadedImage LoadImage(const std::string& path, const LoadOptions& options);

// The message for a ROI that does not lie wholly inside a loaded image, the same in every front end.
inline constexpr const char* kRoiOutsideImageMessage =
    TR_NOOP("imageio", "The ROI reaches outside the image. Move or shrink the ROI so that it lies inside the image.");
inline common::Text RoiOutsideImageMessage() { return common::Text("imageio", kRoiOutsideImageMessage); }

FileMode ParseFileMode(const std::string& text);  // "8bit", "16bit", "dicom"

// The pixel spacing all the images share; refuses (common::InputError) images without one or with
// different ones, since one ensemble needs one frequency scale.
double CommonPixelSpacing(const std::vector<LoadedImage>& images);

} // namespace imageio
