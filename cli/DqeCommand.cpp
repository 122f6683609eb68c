// The "dqe" subcommand: the DQE along both axes from flat fields and two edge images, as CSV and JSON.
#include <system_error>

#include "CommandContext.h"
#include "DqeRun.h"
#include "Errors.h"
#include "NpsRun.h"
#include "Progress.h"
#include "MtfDqeExports.h"
#include "QualityPlots.h"
#include "Translation.h"
#include "WriteErrors.h"

namespace cli {

namespace {

struct DqeTexts {
    std::vector<std::string> flats, conversion;
    std::string kerma, edgeH, edgeV, roiH, roiV, quality = "RQA5", roi = "256", area, overlap = "0.5",
                                                  bin = "0.05", esfBin = "0.25", out = "dqe";
    bool force = false;
    LoadTexts load;
};

quality::DqeRunSettings SettingsOf(const DqeTexts& t)
{
    // Checked here rather than by the parser, so that a misspelt option is named first.
    if (t.flats.empty())
        throw UsageError("--flat is required: the flat fields at the air kerma --kerma.");
    for (const auto& [text, option] : {std::pair{&t.kerma, "--kerma"}, {&t.edgeH, "--edge-h"}, {&t.edgeV, "--edge-v"}})
        if (text->empty())
            throw UsageError(std::string(option) + " is required.");
    quality::DqeRunSettings s;
    s.flats.files = t.flats;
    s.flats.load = t.load.Convert();
    s.flats.roiSize = IntOption(t.roi, "--roi");
    if (!t.area.empty())
        s.flats.area = OptionValue("--area", t.area, [&] { return nps::ParseArea(t.area, "--area"); });
    s.flats.overlap = RealOption(t.overlap, "--overlap");
    s.flats.binWidth = PositiveRealOption(t.bin, "--bin");
    s.kerma = PositiveRealOption(t.kerma, "--kerma");
    s.quality = OptionValue("--quality", t.quality, [&] { return quality::ParseBeamQuality(t.quality); });
    for (const std::string& pair : t.conversion) {
        const std::size_t equals = pair.find('=');
        if (equals == std::string::npos || equals + 1 == pair.size())
            throw UsageError("--conversion needs K=FILE (air kerma in uGy, then the flat field), not '" + pair + "'.");
        s.conversion.emplace_back(RealOption(pair.substr(0, equals), "--conversion"), pair.substr(equals + 1));
    }
    s.edgeHorizontal = t.edgeH;
    s.edgeVertical = t.edgeV;
    if (!t.roiH.empty())
        s.roiHorizontal = OptionValue("--edge-h-roi", t.roiH, [&] { return quality::ParseEdgeRoi(t.roiH, "--edge-h-roi"); });
    if (!t.roiV.empty())
        s.roiVertical = OptionValue("--edge-v-roi", t.roiV, [&] { return quality::ParseEdgeRoi(t.roiV, "--edge-v-roi"); });
    s.binFraction = PositiveRealOption(t.esfBin, "--esf-bin");
    if (s.binFraction > 0.5)
        throw UsageError("--esf-bin must be at most 0.5 (a fraction of a pixel), not " + t.esfBin + ".");
    return s;
}

void RunDqe(const DqeTexts& t, CommandContext& context)
{
    const quality::DqeRunSettings settings = SettingsOf(t);
    const std::string prefix = OutputPrefix(t.out, "dqe");
    const std::string csv = prefix + ".csv", png = prefix + ".png", json = prefix + ".json";
    std::vector<std::string> inputs = t.flats;
    inputs.push_back(t.edgeH);
    inputs.push_back(t.edgeV);
    for (const auto& point : settings.conversion)
        inputs.push_back(point.second);
    CheckOutputs({csv, png, json}, inputs, t.force);
    ProgressBar computing(context.err, context.progress, "DQE");
    const std::size_t total = settings.conversion.size() + settings.flats.files.size() + 2;
    std::size_t read = 0;
    const quality::DqeRunOutcome outcome =
        quality::RunDqeOnFiles(settings, context.Pool(), [&](const imageio::LoadedImage& image) {
            if (!image.notes.empty()) {
                computing.EndLine();
                ReportLoadNotes(image, context.err);
            }
            computing.Show(std::min(++read, total), total);
        });
    computing.EndLine();
    for (const common::Text& note : outcome.notes)
        context.err << "warning: " << i18n::ShownStd(note) << '\n';

    // The table, its plot and its summary are replaced as one set.
    const std::string table = quality::DqeTableText(outcome), summary = quality::DqeSummaryJson(outcome);
    const std::vector<std::uint8_t> plot = nps::PngFileBytes(nps::CurvePlotImage(quality::DqeCurvePlot(outcome)), png);
    WriteOutputs(std::vector<common::OutputFile>{{csv, BytesOf(table)}, {png, plot}, {json, BytesOf(summary)}},
                 t.force);
    context.out << "DQE at " << quality::NumberText(outcome.kerma) << " uGy, " << quality::BeamQualityName(outcome.quality)
                << ", from " << outcome.nps.result.roiCount << " ROIs in " << outcome.nps.result.imageCount
                << " flat field(s): conversion offset " << quality::NumberText(outcome.conversion.offset) << ", gain "
                << quality::NumberText(outcome.conversion.gain) << " per uGy; MTF50 u "
                << quality::NumberText(outcome.mtfU.result.mtf50) << ", v "
                << quality::NumberText(outcome.mtfV.result.mtf50) << " cycles/mm\nwrote " << csv << ", " << png << ", " << json << "\n";
}

} // namespace

CLI::App* AddDqeCommand(CLI::App& app, CommandContext& context)
{
    auto texts = std::make_shared<DqeTexts>();
    CLI::App* c = app.add_subcommand("dqe", "DQE along u and v from flat fields and two edge images (CSV, PNG plot, JSON summary)");
    c->add_option("--flat", texts->flats, "Flat fields at the air kerma --kerma (required)");
    c->add_option("--kerma", texts->kerma, "Air kerma of the flat fields, uGy (required)");
    c->add_option("--edge-h", texts->edgeH, "Image of a horizontal edge: the MTF along v (required)");
    c->add_option("--edge-v", texts->edgeV, "Image of a vertical edge: the MTF along u (required)");
    c->add_option("--edge-h-roi", texts->roiH, "Edge ROI x,y,w,h in --edge-h (default: the whole image)");
    c->add_option("--edge-v-roi", texts->roiV, "Edge ROI x,y,w,h in --edge-v (default: the whole image)");
    c->add_option("--quality", texts->quality, "Beam quality: RQA3, RQA5, RQA7 or RQA9")->capture_default_str();
    c->add_option("--conversion", texts->conversion,
                  "K=FILE, one per flat field of the conversion function (default: a response proportional to K)");
    c->add_option("--roi", texts->roi, "NPS ROI side in pixels")->capture_default_str();
    c->add_option("--area", texts->area, "NPS grid area x,y,w,h (default: the whole first flat field)");
    c->add_option("--overlap", texts->overlap, "NPS grid overlap, 0 or 0.5")->capture_default_str();
    c->add_option("--bin", texts->bin, "NPS bin width in cycles/mm")->capture_default_str();
    c->add_option("--esf-bin", texts->esfBin, "ESF bin width as a fraction of a pixel")->capture_default_str();
    c->add_option("--out", texts->out, "Output prefix PREFIX (PREFIX.csv, .png, .json) or a folder (dqe.csv, ...)")
        ->capture_default_str();
    AddForceOption(*c, texts->force);
    AddLoadOptions(*c, texts->load);
    c->callback([texts, &context] { RunDqe(*texts, context); });
    return c;
}

} // namespace cli
