// The "nps" subcommand: the noise power spectrum of one or more images as CSV, PNG and JSON.
#include <algorithm>

#include "CommandContext.h"
#include "Conversions.h"
#include "Errors.h"
#include "NoisePowerSpectrum.h"
#include "NpsExports.h"
#include "NpsPlot.h"
#include "NpsRun.h"
#include "Progress.h"

namespace cli {

namespace {

struct NpsTexts {
    std::vector<std::string> files;
    std::string roi, area, rois, overlap = "0", detrend = "poly2", scope, bin = "0.05", axisLines = "7",
                                 out = "nps";
    bool logarithmic = false, force = false;
    LoadTexts load;
};

nps::NpsRunSettings SettingsOf(const NpsTexts& t)
{
    nps::NpsRunSettings settings;
    settings.files = t.files;
    settings.load = t.load.Convert();
    settings.roiSize = IntOption(t.roi, "--roi");
    if (!t.area.empty())
        settings.area = OptionValue("--area", t.area, [&] { return nps::ParseArea(t.area, "--area"); });
    settings.roiList = OptionValue("--rois", t.rois, [&] { return nps::ParseRoiList(t.rois, "--rois"); });
    settings.overlap = RealOption(t.overlap, "--overlap");
    settings.detrend = nps::ParseDetrend(t.detrend);
    if (!t.scope.empty())
        settings.scope = nps::ParseDetrendScope(t.scope);
    settings.binWidth = PositiveRealOption(t.bin, "--bin");
    settings.axisLines = IntOption(t.axisLines, "--axis-lines");
    return settings;
}

void RunNps(const NpsTexts& t, CommandContext& context)
{
    const std::string csv = t.out + ".csv", png = t.out + ".png", json = t.out + ".json";
    CheckOutputs({csv, png, json}, t.files, t.force);
    nps::PreparedNps prepared;
    {
        ProgressBar reading(context.err, context.progress, "reading");
        nps::PrepareNps(SettingsOf(t), prepared, {[&](std::size_t done, std::size_t total) { reading.Show(done, total); }});
    }
    for (const imageio::LoadedImage& image : prepared.images)
        ReportLoadNotes(image, context.err);
    const nps::NpsRequest& request = prepared.request;
    std::vector<std::string> names;
    for (const nps::NpsImage& image : request.images)
        names.push_back(image.name);
    ProgressBar computing(context.err, context.progress, "NPS");
    const nps::NpsResult result =
        nps::ComputeNps(request, context.Pool(), {[&](std::size_t done, std::size_t total) { computing.Show(done, total); }});

    // The table, its plot and its summary belong together: they are replaced as one set, so a
    // failure never leaves a new table beside an old plot.
    const std::string table = nps::NpsTableText(result), summary = nps::NpsSummaryJson(result, names);
    const std::vector<std::uint8_t> plot = nps::PngFileBytes(nps::NpsPlotImage(result, t.logarithmic), png);
    WriteOutputs(std::vector<common::OutputFile>{{csv, BytesOf(table)}, {png, plot}, {json, BytesOf(summary)}}, t.force);
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
    AddForceOption(*c, texts->force);
    AddLoadOptions(*c, texts->load);
    c->callback([texts, &context] { RunNps(*texts, context); });
    return c;
}

} // namespace cli
