// The "nps" subcommand: the noise power spectrum of one or more images as CSV, PNG and JSON.
#include <QBuffer>
#include <QImage>
#include <cmath>

#include "CommandContext.h"
#include "Conversions.h"
#include "Errors.h"
#include "ImageFile.h"
#include "NoisePowerSpectrum.h"
#include "NpsExports.h"
#include "NpsPlot.h"
#include "Progress.h"

namespace cli {

namespace {

struct NpsTexts {
    std::vector<std::string> files;
    std::string roi, area, rois, overlap = "0", detrend = "poly2", scope, bin = "0.05", axisLines = "7",
                                 out = "nps";
    bool logarithmic = false;
    LoadTexts load;
};

nps::RoiGrid GridOf(const NpsTexts& t, int size, const cli::LoadedImage& first)
{
    if (!t.area.empty() && !t.rois.empty())
        throw common::InputError("Give either --area or --rois, not both.");
    if (!t.rois.empty()) {
        std::vector<nps::RoiCorner> corners;
        std::size_t start = 0;
        for (;;) {
            const std::size_t semicolon = t.rois.find(';', start);
            const auto xy = IntList(t.rois.substr(start, semicolon == std::string::npos ? std::string::npos
                                                                                        : semicolon - start),
                                    2, "Each ROI of --rois");
            corners.push_back({xy[0], xy[1]});
            if (semicolon == std::string::npos)
                break;
            start = semicolon + 1;
        }
        return nps::GridFromList(size, corners);
    }
    nps::Area area{0, 0, first.width, first.height};
    if (!t.area.empty()) {
        const auto a = IntList(t.area, 4, "--area");
        area = {a[0], a[1], a[2], a[3]};
    }
    return nps::GridOverArea(size, area, common::StrToFloat(t.overlap));
}

std::vector<std::uint8_t> PngBytes(const QImage& image, const std::string& path)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG"))
        common::ThrowCannotCreate(path);
    return std::vector<std::uint8_t>(bytes.begin(), bytes.end());
}

void RunNps(const NpsTexts& t, CommandContext& context)
{
    const LoadOptions load = t.load.Convert();
    const std::int32_t size = common::StrToInt(t.roi);
    nps::CheckRoiSize(size);
    std::vector<LoadedImage> images;
    ProgressBar reading(context.err, context.progress, "reading");
    for (const std::string& file : t.files) {
        images.push_back(LoadImage(file, load));
        reading.Show(images.size(), t.files.size());
    }
    const LoadedImage& first = images.front();
    if (!first.pixelMm)
        throw common::InputError("No pixel spacing for " + first.path + ": give --pixel.");
    for (const LoadedImage& image : images)
        if (image.pixelMm != first.pixelMm)
            throw common::InputError("The pixel spacing of " + image.path + " differs from that of " + first.path +
                                     "; give --pixel to use one spacing for all.");

    nps::NpsRequest request;
    request.grid = GridOf(t, size, first);
    request.detrend = nps::ParseDetrend(t.detrend);
    request.scope = t.scope.empty() ? (t.rois.empty() ? nps::DetrendScope::WholeArea : nps::DetrendScope::PerRoi)
                                    : nps::ParseDetrendScope(t.scope);
    request.pixelMm = *first.pixelMm;
    request.binWidth = common::StrToFloat(t.bin);
    request.axisLines = common::StrToInt(t.axisLines);
    std::vector<std::string> names;
    for (const LoadedImage& image : images) {
        request.images.push_back({image.path, {image.samples, image.width, image.height}});
        names.push_back(image.path);
    }
    nps::Pool pool(context.threads);
    ProgressBar computing(context.err, context.progress, "NPS");
    const nps::NpsResult result =
        nps::ComputeNps(request, pool, {[&](std::size_t done, std::size_t total) { computing.Show(done, total); }});

    WriteTextFile(t.out + ".csv", nps::NpsTableText(result));
    viewer::WriteWholeFile(t.out + ".png", PngBytes(nps::NpsPlotImage(result, t.logarithmic), t.out + ".png"));
    WriteTextFile(t.out + ".json", nps::NpsSummaryJson(result, names));
    context.out << "NPS of " << result.roiCount << " ROIs in " << result.imageCount << " image(s): mean "
                << nps::NumberField(result.meanSignal) << ", variance " << nps::NumberField(result.variance)
                << ", Parseval relative error " << nps::NumberField(result.parsevalRelativeError) << "\nwrote "
                << t.out << ".csv, " << t.out << ".png, " << t.out << ".json\n";
}

} // namespace

CLI::App* AddNpsCommand(CLI::App& app, CommandContext& context)
{
    auto texts = std::make_shared<NpsTexts>();
    CLI::App* c = app.add_subcommand("nps", "Noise power spectrum of one or more images (CSV, PNG plot, JSON summary)");
    c->add_option("files", texts->files, "Image files (raw by the file-name convention, or DICOM)")->required();
    c->add_option("--roi", texts->roi, "ROI side in pixels, 16 to 1024")->required();
    c->add_option("--area", texts->area, "Grid area x,y,w,h (default: the whole first image)");
    c->add_option("--rois", texts->rois, "Own ROI list instead of a grid: x,y;x,y;... (top-left corners)");
    c->add_option("--overlap", texts->overlap, "Grid overlap, 0 or 0.5")->capture_default_str();
    c->add_option("--detrend", texts->detrend, "none, mean, plane or poly2")->capture_default_str();
    c->add_option("--scope", texts->scope,
                  "Fit the trend per ROI (roi) or over the area (area); default area for a grid, roi for --rois");
    c->add_option("--bin", texts->bin, "Radial bin width in cycles/mm")->capture_default_str();
    c->add_option("--axis-lines", texts->axisLines, "Lines each side of an axis for the axis curves")
        ->capture_default_str();
    c->add_option("--out", texts->out, "Output prefix: PREFIX.csv, PREFIX.png, PREFIX.json")->capture_default_str();
    c->add_flag("--log", texts->logarithmic, "Logarithmic NPS axis in the plot");
    AddLoadOptions(*c, texts->load);
    c->callback([texts, &context] { RunNps(*texts, context); });
    return c;
}

} // namespace cli
