// The "mtf" subcommand: the presampling MTF of an edge image by the slanted edge, as CSV and JSON.
#include <system_error>

#include "CommandContext.h"
#include "Errors.h"
#include "MtfRun.h"
#include "Progress.h"
#include "MtfDqeExports.h"
#include "QualityPlots.h"
#include "WriteErrors.h"

namespace cli {

namespace {

struct MtfTexts {
    std::vector<std::string> files;
    std::string roi, bin = "0.25", out = "mtf";
    bool force = false, strict = false;
    LoadTexts load;
};

quality::MtfRunSettings SettingsOf(const MtfTexts& t)
{
    quality::MtfRunSettings settings;
    settings.files = t.files;
    settings.load = t.load.Convert();
    if (!t.roi.empty())
        settings.roi = OptionValue("--roi", t.roi, [&] { return quality::ParseEdgeRoi(t.roi, common::Text::Verbatim("--roi")); });
    settings.binFraction = PositiveRealOption(t.bin, "--bin");
    if (settings.binFraction > 0.5)
        throw UsageError(common::TrText("cli", "--bin must be at most 0.5 (a fraction of a pixel), not %1.").Arg(t.bin));
    return settings;
}

void RunMtf(const MtfTexts& t, CommandContext& context)
{
    const quality::MtfRunSettings settings = SettingsOf(t);
    const std::string prefix = OutputPrefix(t.out, "mtf");
    const std::string csv = prefix + ".csv", png = prefix + ".png", json = prefix + ".json";
    CheckOutputs({csv, png, json}, t.files, t.force);
    ProgressBar computing(context.err, context.progress, "MTF");
    const std::size_t total = t.files.size() + 1;
    std::size_t read = 0, loadNotes = 0;
    computing.Show(0, total);
    const quality::MtfRunOutcome outcome = quality::RunMtfOnFiles(
        settings, context.Pool(), [&](const imageio::LoadedImage& image, const quality::EdgeRoi&) {
            loadNotes += image.notes.size();
            if (!image.notes.empty()) {
                computing.EndLine();
                ReportLoadNotes(image, context.err);
            }
            computing.Show(++read, total);
        });
    computing.Show(total, total);
    computing.EndLine();
    const quality::MtfResult& r = outcome.result;
    ReportWarnings(r.notes, loadNotes, t.strict, context.err);

    // The table, its plot and its summary are replaced as one set.
    const std::string table = quality::MtfTableText(r), summary = quality::MtfSummaryJson(outcome);
    const std::vector<std::uint8_t> plot = nps::PngFileBytes(nps::CurvePlotImage(quality::MtfCurvePlot(outcome)), png);
    WriteOutputs(std::vector<common::OutputFile>{{csv, BytesOf(table)}, {png, plot}, {json, BytesOf(summary)}},
                 t.force);
    const auto frequency = [](double f) {
        return std::isfinite(f) ? common::TrText("cli", "%1 cycles/mm").Arg(quality::NumberText(f))
                                : common::TrText("cli", "not reached");
    };
    // A word of the sentence in the run's language; the files keep quality::OrientationName's.
    const common::Text orientation = r.orientation == quality::EdgeOrientation::Vertical
                                         ? common::TrText("cli", "vertical")
                                         : common::TrText("cli", "horizontal");
    context.out << Tr(common::TrText("cli", "MTF of the %1 edge tilted %2 degrees: MTF50 %3, MTF10 %4, contrast %5, "
                                            "noise %6")
                          .Arg(orientation)
                          .Arg(quality::NumberText(r.angleDegrees))
                          .Arg(frequency(r.mtf50))
                          .Arg(frequency(r.mtf10))
                          .Arg(quality::NumberText(r.contrast))
                          .Arg(quality::NumberText(r.noise)))
                << '\n'
                << Tr(common::TrText("cli", "MTF at 1, 2, 3 cycles/mm: %1, %2, %3 (standard error %4, %5, %6); pixel "
                                            "spacing %7")
                          .Arg(quality::Rounded(quality::MtfAt(r.curve, 1.0)))
                          .Arg(quality::Rounded(quality::MtfAt(r.curve, 2.0)))
                          .Arg(quality::Rounded(quality::MtfAt(r.curve, 3.0)))
                          .Arg(quality::Rounded(quality::MtfStandardErrorAt(r.curve, 1.0)))
                          .Arg(quality::Rounded(quality::MtfStandardErrorAt(r.curve, 2.0)))
                          .Arg(quality::Rounded(quality::MtfStandardErrorAt(r.curve, 3.0)))
                          .Arg(nps::SpacingUsedText(outcome.spacing)))
                << '\n' << WroteLine(csv, png, json) << '\n';
}

} // namespace

CLI::App* AddMtfCommand(CLI::App& app, CommandContext& context)
{
    auto texts = std::make_shared<MtfTexts>();
    using common::TrText;
    CLI::App* c = app.add_subcommand(
        "mtf", Tr(TrText("cli", "Presampling MTF of an edge image by the slanted edge (CSV, PNG plot, JSON summary)")));
    c->add_option("files", texts->files,
                  Tr(TrText("cli", "Images of edges of one direction tilted 1 to 45 degrees (1.5 to 3 as IEC "
                                   "62220-1-1 asks); their ESFs are pooled")))
        ->required();
    c->add_option("--roi", texts->roi,
                  Tr(TrText("cli", "Edge ROI x,y,w,h: top-left pixel, width, height (default: the whole image; the "
                                   "ESF reaches 40 pixels either side of the edge)")));
    c->add_option("--bin", texts->bin, Tr(TrText("cli", "ESF bin width as a fraction of a pixel")))->capture_default_str();
    c->add_option("--out", texts->out,
                  Tr(TrText("cli", "Output prefix PREFIX (PREFIX.csv, .png, .json) or a folder (mtf.csv, ...)")))
        ->capture_default_str();
    AddForceOption(*c, texts->force);
    AddStrictOption(*c, texts->strict);
    AddLoadOptions(*c, texts->load);
    c->callback([texts, &context] { RunMtf(*texts, context); });
    return c;
}

} // namespace cli
