// The "mtf" subcommand: the presampling MTF of an edge image by the slanted edge, as CSV and JSON.
#include <system_error>

#include "CommandContext.h"
#include "Errors.h"
#include "MtfRun.h"
#include "Progress.h"
#include "MtfDqeExports.h"
#include "QualityPlots.h"
#include "Translation.h"
#include "WriteErrors.h"

namespace cli {

namespace {

struct MtfTexts {
    std::string file, roi, bin = "0.25", out = "mtf";
    bool force = false;
    LoadTexts load;
};

quality::MtfRunSettings SettingsOf(const MtfTexts& t)
{
    // Checked here rather than by the parser, so that a misspelt option is named first.
    if (t.roi.empty())
        throw UsageError("--roi is required: the edge ROI as x,y,w,h (top-left pixel, width, height).");
    quality::MtfRunSettings settings;
    settings.file = t.file;
    settings.load = t.load.Convert();
    settings.roi = OptionValue("--roi", t.roi, [&] { return quality::ParseEdgeRoi(t.roi, "--roi"); });
    settings.binFraction = PositiveRealOption(t.bin, "--bin");
    if (settings.binFraction > 0.5)
        throw UsageError("--bin must be at most 0.5 (a fraction of a pixel), not " + t.bin + ".");
    return settings;
}

void RunMtf(const MtfTexts& t, CommandContext& context)
{
    const quality::MtfRunSettings settings = SettingsOf(t);
    const std::string prefix = OutputPrefix(t.out, "mtf");
    const std::string csv = prefix + ".csv", png = prefix + ".png", json = prefix + ".json";
    CheckOutputs({csv, png, json}, {t.file}, t.force);
    ProgressBar computing(context.err, context.progress, "MTF");
    computing.Show(0, 2);
    const quality::MtfRunOutcome outcome =
        quality::RunMtfOnFile(settings, context.Pool(), [&](const imageio::LoadedImage& image) {
            if (!image.notes.empty()) {
                computing.EndLine();
                ReportLoadNotes(image, context.err);
            }
            computing.Show(1, 2);
        });
    computing.Show(2, 2);
    computing.EndLine();
    const quality::MtfResult& r = outcome.result;
    for (const common::Text& note : r.notes)
        context.err << "warning: " << i18n::ShownStd(note) << '\n';

    // The table, its plot and its summary are replaced as one set.
    const std::string table = quality::MtfTableText(r), summary = quality::MtfSummaryJson(outcome);
    const std::vector<std::uint8_t> plot = nps::PngFileBytes(nps::CurvePlotImage(quality::MtfCurvePlot(outcome)), png);
    WriteOutputs(std::vector<common::OutputFile>{{csv, BytesOf(table)}, {png, plot}, {json, BytesOf(summary)}},
                 t.force);
    context.out << "MTF of the " << quality::OrientationName(r.orientation) << " edge tilted "
                << quality::NumberText(r.angleDegrees) << " degrees: MTF50 "
                << (std::isfinite(r.mtf50) ? quality::NumberText(r.mtf50) + " cycles/mm" : "not reached") << ", MTF10 "
                << (std::isfinite(r.mtf10) ? quality::NumberText(r.mtf10) + " cycles/mm" : "not reached")
                << ", contrast " << quality::NumberText(r.contrast) << ", noise " << quality::NumberText(r.noise)
                << "\nwrote " << csv << ", " << png << ", " << json << "\n";
}

} // namespace

CLI::App* AddMtfCommand(CLI::App& app, CommandContext& context)
{
    auto texts = std::make_shared<MtfTexts>();
    CLI::App* c = app.add_subcommand("mtf", "Presampling MTF of an edge image by the slanted edge (CSV, PNG plot, JSON summary)");
    c->add_option("file", texts->file, "Image of an edge tilted 1 to 45 degrees (2 to 3 are usual)")->required();
    c->add_option("--roi", texts->roi, "Edge ROI x,y,w,h: top-left pixel, width, height (required)");
    c->add_option("--bin", texts->bin, "ESF bin width as a fraction of a pixel")->capture_default_str();
    c->add_option("--out", texts->out, "Output prefix PREFIX (PREFIX.csv, .png, .json) or a folder (mtf.csv, ...)")
        ->capture_default_str();
    AddForceOption(*c, texts->force);
    AddLoadOptions(*c, texts->load);
    c->callback([texts, &context] { RunMtf(*texts, context); });
    return c;
}

} // namespace cli
