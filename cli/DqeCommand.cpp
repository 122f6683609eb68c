// The "dqe" subcommand: the DQE along both axes from flat fields and two edge images, as CSV and JSON.
#include <optional>
#include <system_error>

#include "CommandContext.h"
#include "DqeRun.h"
#include "Errors.h"
#include "NpsRun.h"
#include "Progress.h"
#include "MtfDqeExports.h"
#include "QualityPlots.h"
#include "WriteErrors.h"

namespace cli {

namespace {

struct DqeTexts {
    std::vector<std::string> flats, conversion, edgeH, edgeV;
    std::string kerma, roiH, roiV, quality = "RQA5", q, roi = "256", area, overlap = "0.5", bin = "0.05",
                                 esfBin = "0.25", out = "dqe";
    bool force = false, strict = false, proportional = false;
    LoadTexts load;
};

quality::DqeRunSettings SettingsOf(const DqeTexts& t)
{
    // Checked here rather than by the parser, so that a misspelt option is named first.
    if (t.flats.empty())
        throw UsageError(common::TrText("cli", "--flat is required: the flat fields at the air kerma --kerma."));
    for (const auto& [files, option] : {std::pair{&t.edgeH, "--edge-h"}, {&t.edgeV, "--edge-v"}})
        if (files->empty())
            throw UsageError(common::TrText("cli", "%1 is required.").Arg(option));
    quality::DqeRunSettings s;
    std::optional<double> kerma;
    if (!t.kerma.empty())
        kerma = PositiveRealOption(t.kerma, "--kerma");
    s.levels = OptionValue("--flat", t.flats.front(), [&] { return quality::GroupFlatsByKerma(t.flats, kerma); });
    s.flats.load = t.load.Convert();
    s.flats.roiSize = IntOption(t.roi, "--roi");
    if (!t.area.empty())
        s.flats.area = OptionValue("--area", t.area, [&] { return nps::ParseArea(t.area, "--area"); });
    s.flats.overlap = RealOption(t.overlap, "--overlap");
    s.flats.binWidth = PositiveRealOption(t.bin, "--bin");
    s.quality = OptionValue("--quality", t.quality, [&] { return quality::ParseBeamQuality(t.quality); });
    if (!t.q.empty())
        s.photonsPerAreaPerKerma = PositiveRealOption(t.q, "--q");
    s.assumeProportional = t.proportional;
    for (const std::string& pair : t.conversion) {
        const std::size_t equals = pair.find('=');
        if (equals == std::string::npos || equals + 1 == pair.size())
            throw UsageError(
                common::TrText("cli", "--conversion needs K=FILE (air kerma in uGy, then the flat field), not '%1'.")
                    .Arg(pair));
        s.conversion.emplace_back(RealOption(pair.substr(0, equals), "--conversion"), pair.substr(equals + 1));
    }
    s.edgesHorizontal = t.edgeH;
    s.edgesVertical = t.edgeV;
    if (!t.roiH.empty())
        s.roiHorizontal = OptionValue("--edge-h-roi", t.roiH, [&] {
            return quality::ParseEdgeRoi(t.roiH, common::Text::Verbatim("--edge-h-roi"));
        });
    if (!t.roiV.empty())
        s.roiVertical = OptionValue("--edge-v-roi", t.roiV, [&] {
            return quality::ParseEdgeRoi(t.roiV, common::Text::Verbatim("--edge-v-roi"));
        });
    s.binFraction = PositiveRealOption(t.esfBin, "--esf-bin");
    if (s.binFraction > 0.5)
        throw UsageError(
            common::TrText("cli", "--esf-bin must be at most 0.5 (a fraction of a pixel), not %1.").Arg(t.esfBin));
    return s;
}

void RunDqe(const DqeTexts& t, CommandContext& context)
{
    const quality::DqeRunSettings settings = SettingsOf(t);
    const std::string prefix = OutputPrefix(t.out, "dqe");
    const std::string csv = prefix + ".csv", png = prefix + ".png", json = prefix + ".json";
    const std::vector<std::string> inputs = quality::DqeInputs(settings);
    CheckOutputs({csv, png, json}, inputs, t.force);
    ProgressBar computing(context.err, context.progress, "DQE");
    const std::size_t total = inputs.size();
    std::size_t read = 0, loadNotes = 0;
    const quality::DqeRunOutcome outcome =
        quality::RunDqeOnFiles(settings, context.Pool(), [&](const imageio::LoadedImage& image) {
            loadNotes += image.notes.size();
            if (!image.notes.empty()) {
                computing.EndLine();
                ReportLoadNotes(image, context.err);
            }
            computing.Show(std::min(++read, total), total);
        });
    computing.EndLine();
    ReportWarnings(outcome.notes, loadNotes, t.strict, context.err);

    // The table, its plot and its summary are replaced as one set.
    const std::string table = quality::DqeTableText(outcome), summary = quality::DqeSummaryJson(outcome);
    const std::vector<std::uint8_t> plot = nps::PngFileBytes(nps::CurvePlotImage(quality::DqeCurvePlot(outcome)), png);
    WriteOutputs(std::vector<common::OutputFile>{{csv, BytesOf(table)}, {png, plot}, {json, BytesOf(summary)}},
                 t.force);
    for (const quality::DqeLevel& level : outcome.levels) {
        context.out << Tr(common::TrText("cli", "DQE at %1 uGy, %2, from %3 ROIs in %4 flat field(s): conversion offset "
                                                "%5, gain %6 per uGy; MTF50 u %7, v %8 cycles/mm")
                              .Arg(quality::NumberText(level.kerma))
                              .Arg(quality::BeamQualityName(outcome.quality))
                              .Arg(level.nps.result.roiCount)
                              .Arg(level.nps.result.imageCount)
                              .Arg(quality::NumberText(outcome.conversion.offset))
                              .Arg(quality::NumberText(outcome.conversion.gain))
                              .Arg(quality::NumberText(outcome.mtfU.result.mtf50))
                              .Arg(quality::NumberText(outcome.mtfV.result.mtf50)))
                    << '\n';
        for (const quality::DqeFigure& f : level.figures)
            context.out << Tr(common::TrText("cli", "  %1 cycles/mm: DQE u %2 ± %3, v %4 ± %5, mean %6 ± %7; MTF u %8, "
                                                    "v %9; NNPS u %10, v %11 mm²")
                                  .Arg(quality::NumberText(f.frequency))
                                  .Arg(quality::Rounded(f.u.dqe))
                                  .Arg(quality::Rounded(f.u.dqeError))
                                  .Arg(quality::Rounded(f.v.dqe))
                                  .Arg(quality::Rounded(f.v.dqeError))
                                  .Arg(quality::Rounded(f.dqeMean.value))
                                  .Arg(quality::Rounded(f.dqeMean.error))
                                  .Arg(quality::Rounded(f.u.mtf))
                                  .Arg(quality::Rounded(f.v.mtf))
                                  .Arg(quality::Rounded(f.u.nnps))
                                  .Arg(quality::Rounded(f.v.nnps)))
                        << '\n';
    }
    context.out << Tr(common::TrText("cli", "q %1 per mm² per uGy (%2); pixel spacing %3")
                          .Arg(quality::NumberText(outcome.photonsPerAreaPerKerma))
                          .Arg(outcome.photonsGiven ? common::TrText("cli", "given") : common::TrText("cli", "table"))
                          .Arg(nps::SpacingUsedText(outcome.spacing)))
                << '\n' << WroteLine(csv, png, json) << '\n';
}

} // namespace

CLI::App* AddDqeCommand(CLI::App& app, CommandContext& context)
{
    auto texts = std::make_shared<DqeTexts>();
    using common::TrText;
    CLI::App* c = app.add_subcommand(
        "dqe", Tr(TrText("cli", "DQE along u and v from flat fields and two edge images (CSV, PNG plot, JSON summary)")));
    c->add_option("--flat", texts->flats,
                  Tr(TrText("cli", "Flat fields at the air kerma --kerma, or K=FILE at K uGy: one DQE per air kerma "
                                   "(required)")));
    c->add_option("--kerma", texts->kerma, Tr(TrText("cli", "Air kerma of the flat fields given without K=, uGy")));
    c->add_option("--edge-h", texts->edgeH,
                  Tr(TrText("cli", "Images of a horizontal edge: the MTF along v, their ESFs pooled (required)")));
    c->add_option("--edge-v", texts->edgeV,
                  Tr(TrText("cli", "Images of a vertical edge: the MTF along u, their ESFs pooled (required)")));
    c->add_option("--edge-h-roi", texts->roiH,
                  Tr(TrText("cli", "Edge ROI x,y,w,h in --edge-h (default: the whole image)")));
    c->add_option("--edge-v-roi", texts->roiV,
                  Tr(TrText("cli", "Edge ROI x,y,w,h in --edge-v (default: the whole image)")));
    c->add_option("--quality", texts->quality, Tr(TrText("cli", "Beam quality: RQA3, RQA5, RQA7 or RQA9")))
        ->capture_default_str();
    c->add_option("--q", texts->q,
                  Tr(TrText("cli", "Photons per mm² per uGy for a beam quality outside the table (recorded)")));
    c->add_flag("--proportional", texts->proportional,
                Tr(TrText("cli", "Without --conversion: state that the raw values are proportional to air kerma")));
    c->add_option("--conversion", texts->conversion,
                  Tr(TrText("cli", "K=FILE, one per flat field of the conversion function")));
    c->add_option("--roi", texts->roi, Tr(TrText("cli", "NPS ROI side in pixels")))->capture_default_str();
    c->add_option("--area", texts->area,
                  Tr(TrText("cli", "NPS grid area x,y,w,h (default: the whole first flat field)")));
    c->add_option("--overlap", texts->overlap, Tr(TrText("cli", "NPS grid overlap, 0 or 0.5")))->capture_default_str();
    c->add_option("--bin", texts->bin, Tr(TrText("cli", "NPS bin width in cycles/mm")))->capture_default_str();
    c->add_option("--esf-bin", texts->esfBin, Tr(TrText("cli", "ESF bin width as a fraction of a pixel")))
        ->capture_default_str();
    c->add_option("--out", texts->out,
                  Tr(TrText("cli", "Output prefix PREFIX (PREFIX.csv, .png, .json) or a folder (dqe.csv, ...)")))
        ->capture_default_str();
    AddForceOption(*c, texts->force);
    AddStrictOption(*c, texts->strict);
    AddLoadOptions(*c, texts->load);
    c->callback([texts, &context] { RunDqe(*texts, context); });
    return c;
}

} // namespace cli
