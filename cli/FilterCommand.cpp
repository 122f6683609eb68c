// The "filter" subcommand: the ROI filtered as the filter window filters it, written as the
// window's "SaveFltrd" file (raw little-endian binary32).
#include <optional>

#include "CommandContext.h"
#include "Conversions.h"
#include "Errors.h"
#include "FilterExports.h"
#include "FilterPipeline.h"
#include "RadialFilter.h"
#include "RoiSpectrum.h"

namespace cli {

namespace {

struct FilterTexts {
    std::string file, roi, type = "HCF", cof = "0.25", power = "5", lowCof, lowPower, ssir, out;
    bool steepen = false, force = false;
    LoadTexts load;
};

filter::FilterType TypeOf(const std::string& text)
{
    if (text == "LCF") return filter::FilterType::LCF;
    if (text == "HCF") return filter::FilterType::HCF;
    if (text == "BPF") return filter::FilterType::BPF;
    if (text == "No") return filter::FilterType::No;
    throw common::InputError("The filter must be LCF, HCF, BPF or No, not '" + text + "'.");
}

void RunFilterCommand(const FilterTexts& t, CommandContext& context)
{
    const filter::FilterType type = TypeOf(t.type);
    CheckOutputs({t.out}, {t.file}, t.force);
    const imageio::LoadedImage image = imageio::LoadImage(t.file, t.load.Convert());
    ReportLoadNotes(image, context.err);
    const SquareRoi roi = ParseSquareRoi(t.roi, image);
    auto s = TransformRoi(image, roi, "power", false);
    const int n = s->n;
    // The same steps, in the same order, as the filter window's filtering run.
    auto gain = std::make_unique<spectrum::SquareMatrix>();
    auto filteredRe = std::make_unique<spectrum::SquareMatrix>(), filteredIm = std::make_unique<spectrum::SquareMatrix>();
    auto filteredPower = std::make_unique<spectrum::SquareMatrix>(), filtered = std::make_unique<spectrum::SquareMatrix>();
    double filterMax = 0.0;
    filter::ResetGain(*gain, n);
    const bool lowCut = type == filter::FilterType::LCF, highCut = type == filter::FilterType::HCF;
    const bool band = type == filter::FilterType::BPF;
    // A band pass takes --cof as its high cut; its low cut defaults to 0.05 below it, as the
    // window's BPF button sets it.
    const double cof = PositiveRealOption(t.cof, "--cof");
    const std::int32_t power = IntOption(t.power, "--power");
    if (lowCut || band) {
        const double low = lowCut ? cof : (t.lowCof.empty() ? cof - 0.05 : PositiveRealOption(t.lowCof, "--low-cof"));
        const std::int32_t lowPower = lowCut || t.lowPower.empty() ? power : IntOption(t.lowPower, "--low-power");
        filter::LowCutFilter(*gain, n, low, lowPower, t.steepen, filterMax);
    }
    if (highCut || band)
        filter::HighCutFilter(*gain, n, static_cast<float>(cof), power, t.steepen, filterMax);
    filter::FilterSpectrum(*s->re, *s->im, *s->map, *gain, n, *filteredRe, *filteredIm, *filteredPower);
    std::optional<double> noiseFloor;
    if (!t.ssir.empty())
        noiseFloor = common::StrToFloat(t.ssir);
    filter::FilterFft2D(s->fft, *filteredRe, *filteredIm, n, noiseFloor);
    filter::PlaceFilteredImage(*filteredRe, n, *filtered);
    const std::vector<std::uint8_t> bytes = filter::FilteredRawFile(*filtered, n);
    WriteOutputs(std::vector{common::OutputFile{t.out, bytes}}, t.force);
}

} // namespace

CLI::App* AddFilterCommand(CLI::App& app, CommandContext& context)
{
    auto texts = std::make_shared<FilterTexts>();
    CLI::App* c = app.add_subcommand("filter", "A square ROI filtered as the filter window does, saved as \"SaveFltrd\" saves it");
    c->add_option("file", texts->file, "Image file")->required();
    c->add_option("--roi", texts->roi, "x,y,n: top-left pixel and side (a power of two up to 1024)")->required();
    c->add_option("--filter", texts->type, "LCF, HCF, BPF or No")->capture_default_str();
    c->add_option("--cof", texts->cof, "Cut-off in cycles/pixel (the high cut of a band pass)")->capture_default_str();
    c->add_option("--power", texts->power, "Filter power")->capture_default_str();
    c->add_option("--low-cof", texts->lowCof, "Band pass: low cut-off (default --cof - 0.05)");
    c->add_option("--low-power", texts->lowPower, "Band pass: low-cut power (default --power)");
    c->add_flag("--steepen", texts->steepen, "As the window's COF box");
    c->add_option("--ssir", texts->ssir, "Noise-floor divisor, as the window's SSIR box and edit");
    c->add_option("--out", texts->out, "Output file (raw binary32, n x n)")->required();
    AddForceOption(*c, texts->force);
    AddLoadOptions(*c, texts->load);
    c->callback([texts, &context] { RunFilterCommand(*texts, context); });
    return c;
}

} // namespace cli
