// The "nps" subcommand: the noise power spectrum of one or more images as CSV, PNG and JSON.
#include <algorithm>
#include <system_error>

#include "CommandContext.h"
#include "Conversions.h"
#include "Errors.h"
#include "NoisePowerSpectrum.h"
#include "NpsExports.h"
#include "NpsPlot.h"
#include "NpsRun.h"
#include "Progress.h"
#include "WriteErrors.h"

namespace cli {

namespace {

struct NpsTexts {
    std::vector<std::string> files;
    std::string roi, area, rois, overlap = "0", detrend = "poly2", scope, bin = "0.05", axisLines = "7",
                                 axes = "radial", out = "nps";
    bool logarithmic = false, force = false, strict = false;
    LoadTexts load;
};

nps::NpsRunSettings SettingsOf(const NpsTexts& t)
{
    // Checked here rather than by the parser, which would name a missing --roi before an unknown
    // option: "--rio 32" must be reported as the misspelling it is.
    if (t.roi.empty())
        throw UsageError(common::TrText("cli", "--roi is required: the ROI side in pixels, 16 to 1024."));
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
    settings.axisPlacement = OptionValue("--axes", t.axes, [&] { return nps::ParseAxisPlacement(t.axes); });
    return settings;
}

void RunNps(const NpsTexts& t, CommandContext& context)
{
    const nps::NpsRunSettings settings = SettingsOf(t);
    const std::string prefix = OutputPrefix(t.out, "nps");
    const std::string csv = prefix + ".csv", png = prefix + ".png", json = prefix + ".json";
    CheckOutputs({csv, png, json}, t.files, t.force);
    ProgressBar computing(context.err, context.progress, "NPS");
    // Images are read one at a time as the run reaches them; a decoder's warnings end the bar's
    // line first, so that they stand on their own.
    nps::NpsRunHooks hooks;
    std::size_t loadNotes = 0;
    hooks.loaded = [&](const imageio::LoadedImage& image) {
        loadNotes += image.notes.size();
        if (!image.notes.empty()) {
            computing.EndLine();
            ReportLoadNotes(image, context.err);
        }
    };
    const nps::NpsRunOutcome outcome = nps::RunNpsOnFiles(
        settings, context.Pool(), {[&](std::size_t done, std::size_t total) { computing.Show(done, total); }}, hooks);
    computing.EndLine();
    const nps::NpsResult& result = outcome.result;
    ReportWarnings(result.notes, loadNotes, t.strict, context.err);

    // The table, its plot and its summary belong together: they are replaced as one set, so a
    // failure never leaves a new table beside an old plot.
    const std::string table = nps::NpsTableText(result), summary = nps::NpsSummaryJson(result, outcome.names);
    const std::vector<std::uint8_t> plot = nps::PngFileBytes(nps::NpsPlotImage(result, t.logarithmic), png);
    WriteOutputs(std::vector<common::OutputFile>{{csv, BytesOf(table)}, {png, plot}, {json, BytesOf(summary)}}, t.force);
    context.out << Tr(common::TrText("cli", "NPS of %1 ROIs in %2 image(s): mean %3, mean square after detrending %4, "
                                            "ROI variance %5, Parseval relative error %6")
                          .Arg(result.roiCount)
                          .Arg(result.imageCount)
                          .Arg(nps::NumberField(result.meanSignal))
                          .Arg(nps::NumberField(result.meanSquare))
                          .Arg(nps::NumberField(result.roiVariance))
                          .Arg(nps::NumberField(result.parsevalRelativeError)))
                << '\n' << WroteLine(csv, png, json) << '\n';
}

} // namespace

CLI::App* AddNpsCommand(CLI::App& app, CommandContext& context)
{
    auto texts = std::make_shared<NpsTexts>();
    using common::TrText;
    CLI::App* c = app.add_subcommand(
        "nps", Tr(TrText("cli", "Noise power spectrum of one or more images (CSV, PNG plot, JSON summary)")));
    c->add_option("files", texts->files, Tr(TrText("cli", "Image files (raw by the file-name convention, or DICOM)")))
        ->required();
    c->add_option("--roi", texts->roi, Tr(TrText("cli", "ROI side in pixels, 16 to 1024 (required)")));
    c->add_option("--area", texts->area, Tr(TrText("cli", "Grid area x,y,w,h (default: the whole first image)")));
    c->add_option("--rois", texts->rois,
                  Tr(TrText("cli", "Own ROI list instead of a grid: x,y;x,y;... (top-left corners)")));
    c->add_option("--overlap", texts->overlap, Tr(TrText("cli", "Grid overlap, 0 or 0.5")))->capture_default_str();
    c->add_option("--detrend", texts->detrend, Tr(TrText("cli", "none, mean, plane or poly2")))->capture_default_str();
    c->add_option("--scope", texts->scope,
                  Tr(TrText("cli", "Fit the trend per ROI (roi) or over the area (area); default area for a grid, "
                                   "roi for --rois")));
    c->add_option("--bin", texts->bin, Tr(TrText("cli", "Radial bin width in cycles/mm")))->capture_default_str();
    c->add_option("--axis-lines", texts->axisLines, Tr(TrText("cli", "Lines each side of an axis for the axis curves")))
        ->capture_default_str();
    c->add_option("--axes", texts->axes,
                  Tr(TrText("cli", "Axis curves' samples at their radial frequency (radial, IEC 62220-1-1) or along "
                                   "the axis (along)")))
        ->capture_default_str();
    c->add_option("--out", texts->out,
                  Tr(TrText("cli", "Output prefix PREFIX (PREFIX.csv, .png, .json) or a folder (nps.csv, ...)")))
        ->capture_default_str();
    c->add_flag("--log", texts->logarithmic, Tr(TrText("cli", "Logarithmic NPS axis in the plot")));
    AddForceOption(*c, texts->force);
    AddStrictOption(*c, texts->strict);
    AddLoadOptions(*c, texts->load);
    c->callback([texts, &context] { RunNps(*texts, context); });
    return c;
}

} // namespace cli
