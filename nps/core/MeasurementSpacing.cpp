#include "MeasurementSpacing.h"

#include "NpsExports.h"

namespace nps {

namespace {

common::Text SourceText(imageio::SpacingSource source)
{
    switch (source) {
    case imageio::SpacingSource::Given: return common::TrText("nps", "as given");
    case imageio::SpacingSource::Fallback: return common::TrText("nps", "from the viewer");
    default: return common::TrText("nps", "from %1").Arg(imageio::SpacingSourceText(source));
    }
}

} // namespace

SpacingUsed SpacingOf(const imageio::LoadedImage& image)
{
    return {image.pixelMm.value_or(0.0), image.path, image.spacingSource};
}

common::Text SpacingUsedText(const SpacingUsed& spacing)
{
    const bool fromFile = spacing.source != imageio::SpacingSource::Given &&
                          spacing.source != imageio::SpacingSource::Fallback;
    if (fromFile)
        return common::TrText("nps", "%1 mm %2 of %3").Arg(NumberField(spacing.mm)).Arg(SourceText(spacing.source)).Arg(spacing.file);
    return common::TrText("nps", "%1 mm %2").Arg(NumberField(spacing.mm)).Arg(SourceText(spacing.source));
}

std::string SpacingSourceName(const SpacingUsed& spacing)
{
    switch (spacing.source) {
    case imageio::SpacingSource::Given: return "given";
    case imageio::SpacingSource::Fallback: return "viewer";
    default: return imageio::SpacingSourceText(spacing.source).Plain();
    }
}

std::optional<common::Text> SpacingPlaneNote(const SpacingUsed& spacing)
{
    if (spacing.source != imageio::SpacingSource::PixelSpacing)
        return std::nullopt;
    return common::TrText("nps", "%1 gives no Imager Pixel Spacing (0018,1164) or Detector Element Spacing "
                                 "(0018,7022): its Pixel Spacing (0028,0030), %2 mm, is used, which may belong to "
                                 "another plane than the detector's. Give the detector's spacing (--pixel) if it "
                                 "does.")
        .Arg(spacing.file)
        .Arg(NumberField(spacing.mm));
}

} // namespace nps
