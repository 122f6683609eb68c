#include "ImageLoading.h"

#include <cmath>
#include <utility>

#include "Conversions.h"
#include "DicomDecode.h"
#include "DicomDictionary.h"
#include "DicomHeader.h"
#include "Errors.h"
#include "FileNameConvention.h"
#include "ImageFile.h"
#include "ImageLimits.h"
#include "PixelRule.h"

namespace imageio {

namespace {

// A pixel spacing and where it came from.
struct Spacing {
    std::optional<double> mm;
    SpacingSource source = SpacingSource::None;
};

// Where the matrix lies in the file and how its samples are formed.
struct Layout {
    long long width = 0, height = 0, headerBytes = 0;
    int bytesPerPixel = 2;
    bool swap = false;
    std::int32_t valueOffset = 0;
    Spacing spacing;
};

std::optional<double> SpacingOf(const std::string& text)
{
    if (text.empty())
        return std::nullopt;
    return common::StrToFloat(text);
}

// The first value of each spacing element a DICOM file states, whichever reader found them; empty
// when absent.
struct StatedSpacings {
    std::string imager, detectorElement, pixel;
};

// The spacing in the detector plane. Pixel Spacing comes last: on projection images it may be
// calibrated to the object plane, which would put every frequency of a measurement off by the
// magnification. A value that is no positive number is passed over, so that a damaged element
// does not hide a good one.
Spacing DetectorPlaneSpacing(const StatedSpacings& stated)
{
    const std::pair<const std::string*, SpacingSource> order[] = {
        {&stated.imager, SpacingSource::ImagerPixelSpacing},
        {&stated.detectorElement, SpacingSource::DetectorElementSpacing},
        {&stated.pixel, SpacingSource::PixelSpacing},
    };
    for (const auto& [text, source] : order) {
        if (text->empty())
            continue;
        double mm = 0;
        try {
            mm = common::StrToFloat(*text);
        } catch (const common::ConversionError&) {
            continue;
        }
        if (std::isfinite(mm) && mm > 0)
            return {mm, source};
    }
    return {};
}

// The options' spacing beats the file's; the fallback only fills a gap.
Spacing SettledSpacing(const LoadOptions& options, const Spacing& found)
{
    if (options.pixelMm)
        return {options.pixelMm, SpacingSource::Given};
    if (!found.mm && options.fallbackPixelMm)
        return {options.fallbackPixelMm, SpacingSource::Fallback};
    return found;
}

// The layout a DICOM header gives, as the viewer fills its edits from it. The header reader finds
// the uncompressed pixel matrix; for the files it cannot show, LoadImage reads the decoder's
// stream instead.
Layout DicomLayout(const std::string& path, const std::vector<std::uint8_t>& stream, bool detectorPlane)
{
    // The names of the tags do not matter for the layout: an empty dictionary reads the same values.
    const DicomHeaderResult header = ReadDicomHeader(stream, DicomDictionary(std::string()));
    if (header.failure)
        std::rethrow_exception(header.failure);
    if (!header.pixelDataFound)
        throw common::InputError(
            common::TrText("imageio",
                           "The file %1 holds no DICOM image (no Pixel Data element). A raw file needs "
                           "its size in its name or given (--mode 16bit --size WIDTHxHEIGHT).")
                .Arg(path));
    if (header.edits.sizeX.empty())
        throw common::InputError(
            common::TrText("imageio", "The DICOM header has no Columns element, so the image has no size."));
    if (header.edits.sizeY.empty())
        throw common::InputError(
            common::TrText("imageio", "The DICOM header has no Rows element, so the image has no size."));
    Layout layout;
    layout.width = common::StrToInt(header.edits.sizeX);
    layout.height = common::StrToInt(header.edits.sizeY);
    layout.headerBytes = common::StrToInt(header.edits.header);
    layout.valueOffset = common::StrToInt(header.edits.offset);
    layout.swap = header.edits.swap.value_or(false);
    const DicomSpacings& spacings = header.spacings;
    if (detectorPlane) {
        layout.spacing = DetectorPlaneSpacing(
            {spacings.imager.value_or(""), spacings.detectorElement.value_or(""), spacings.pixel.value_or("")});
    } else if (header.edits.pixelSpacing) {
        // The edit holds whichever of the two elements came later in the file.
        layout.spacing.mm = SpacingOf(*header.edits.pixelSpacing);
        if (layout.spacing.mm)
            layout.spacing.source = spacings.editTag == 0x00187022 ? SpacingSource::DetectorElementSpacing
                                                                   : SpacingSource::PixelSpacing;
    }
    return layout;
}

// A decoded image's frame 1, with the overrides applied to what the decoder cannot know.
LoadedImage DecodedImage(const std::string& path, const DicomPixels& pixels, const LoadOptions& options)
{
    if (options.width || options.height || options.headerBytes || options.swap)
        throw common::InputError(
            common::TrText("imageio",
                           "The file %1 is decoded (%2): its size, header and byte order come from the "
                           "file, not from options.")
                .Arg(path)
                .Arg(pixels.syntaxText));
    // Codecs decode some broken streams with a warning and wrong pixels; a measurement must not
    // take them unless the user says so.
    if (!pixels.codecNotes.empty() && !options.acceptDamaged)
        throw common::InputError(
            common::TrText("imageio",
                           "The decoder reported damage in %1 (%2): its pixels may be wrong. Accept "
                           "damaged files (--accept-damaged) to measure it anyway.")
                .Arg(path)
                .Arg(pixels.codecNotes.front()));
    Spacing found;
    if (options.detectorPlane) {
        found = DetectorPlaneSpacing({pixels.imagerPixelSpacing, pixels.detectorElementSpacing, pixels.pixelSpacing});
    } else if (!options.pixelMm) {  // a given spacing spares the file's from the conversion
        found.mm = SpacingOf(pixels.spacing);
        if (found.mm)
            found.source = pixels.spacingSource == "ImagerPixelSpacing" ? SpacingSource::ImagerPixelSpacing
                                                                        : SpacingSource::PixelSpacing;
    }
    const Spacing spacing = SettledSpacing(options, found);
    LoadedImage image{path, pixels.columns, pixels.rows, spacing.mm, {}};
    image.spacingSource = spacing.source;
    // The codec's own words, as it printed them.
    for (const std::string& note : pixels.codecNotes)
        image.notes.push_back(common::Text::Verbatim(note));
    const std::int32_t offset = options.valueOffset.value_or(pixels.valueOffset);
    const std::size_t count = static_cast<std::size_t>(pixels.columns) * static_cast<std::size_t>(pixels.rows);
    image.samples.resize(count);
    for (std::size_t i = 0; i < count; ++i)
        image.samples[i] = SampleValue(pixels.words[i], false, offset);
    return image;
}

} // namespace

FileMode ParseFileMode(const std::string& text)
{
    if (text == "8bit") return FileMode::Bits8;
    if (text == "16bit") return FileMode::Bits16;
    if (text == "dicom") return FileMode::Dicom;
    throw common::InputError(common::TrText("imageio", "The mode must be 8bit, 16bit or dicom, not '%1'.").Arg(text));
}

LoadedImage LoadImage(const std::string& path, const LoadOptions& options)
{
    const std::vector<std::uint8_t> stream = ReadWholeFile(path);
    const NameFields fields = SplitFileName(path);
    Layout layout;
    layout.bytesPerPixel = options.mode == FileMode::Bits8 ? 1 : 2;
    if (!fields.columns.empty() && !fields.rows.empty()) {
        layout.width = common::StrToInt(fields.columns);
        layout.height = common::StrToInt(fields.rows);
        layout.spacing.mm = SpacingOf(SpacingText(fields.spacingField));
        if (layout.spacing.mm)
            layout.spacing.source = SpacingSource::FileName;
    } else if (options.mode == FileMode::Dicom) {
        if (const std::optional<DicomPixels> decoded = DecodeIfNeeded(stream)) {
            CheckBitmapSize(decoded->columns, decoded->rows);
            return DecodedImage(path, *decoded, options);
        }
        layout = DicomLayout(path, stream, options.detectorPlane);
    } else if (!options.width || !options.height) {
        throw common::InputError(
            common::TrText("imageio", "The name of %1 gives no matrix size; give --size.").Arg(path));
    }
    if (options.width) layout.width = *options.width;
    if (options.height) layout.height = *options.height;
    if (options.headerBytes) layout.headerBytes = *options.headerBytes;
    if (options.valueOffset) layout.valueOffset = *options.valueOffset;
    if (options.swap) layout.swap = *options.swap;
    layout.spacing = SettledSpacing(options, layout.spacing);
    CheckBitmapSize(layout.width, layout.height);
    if (layout.headerBytes < 0)
        throw common::InputError(common::TrText("imageio", "The header length cannot be negative."));

    PixelSource source;
    source.stream = stream;
    source.headerOffset = layout.headerBytes;
    source.width = static_cast<std::int32_t>(layout.width);
    source.height = static_cast<std::int32_t>(layout.height);
    source.bytesPerPixel = layout.bytesPerPixel;
    const long long needed = MatrixEndByte(source);
    if (needed > static_cast<long long>(stream.size()))
        throw common::InputError(
            common::TrText("imageio", "The file %1 holds %2 bytes, but a %3 x %4 matrix from byte %5 needs %6 bytes.")
                .Arg(path)
                .Arg(stream.size())
                .Arg(layout.width)
                .Arg(layout.height)
                .Arg(layout.headerBytes)
                .Arg(needed));
    LoadedImage image{path, layout.width, layout.height, layout.spacing.mm, {}};
    image.spacingSource = layout.spacing.source;
    image.samples.resize(static_cast<std::size_t>(layout.width * layout.height));
    std::size_t i = 0;
    for (long long y = 0; y < layout.height; ++y)
        for (long long x = 0; x < layout.width; ++x)
            image.samples[i++] = SampleValue(FetchElement(source, x, y), layout.swap, layout.valueOffset);
    return image;
}

common::Text SpacingSourceText(SpacingSource source)
{
    switch (source) {
    case SpacingSource::Given: return common::TrText("imageio", "the given spacing");
    case SpacingSource::FileName: return common::TrText("imageio", "the file name");
    case SpacingSource::PixelSpacing: return common::TrText("imageio", "Pixel Spacing (0028,0030)");
    case SpacingSource::ImagerPixelSpacing: return common::TrText("imageio", "Imager Pixel Spacing (0018,1164)");
    case SpacingSource::DetectorElementSpacing:
        return common::TrText("imageio", "Detector Element Spacing (0018,7022)");
    case SpacingSource::Fallback: return common::TrText("imageio", "the fallback spacing");
    case SpacingSource::None: break;
    }
    return common::TrText("imageio", "none");
}

double CommonPixelSpacing(const std::vector<LoadedImage>& images)
{
    if (images.empty())
        throw common::InputError(common::TrText("imageio", "No images."));
    const LoadedImage& first = images.front();
    if (!first.pixelMm)
        throw common::InputError(common::TrText("imageio", "No pixel spacing for %1: give one.").Arg(first.path));
    for (const LoadedImage& image : images)
        if (image.pixelMm != first.pixelMm)
            throw common::InputError(
                common::TrText("imageio", "The pixel spacing of %1 differs from that of %2; give one spacing for all.")
                    .Arg(image.path)
                    .Arg(first.path));
    return *first.pixelMm;
}

} // namespace imageio
