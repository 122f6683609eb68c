// The "filter" subcommand: the ROI filtered as the filter window filters it, written as the
// window's "SaveFltrd" file (raw little-endian binary32).
#include <optional>

#include "CommandContext.h"
#include "Conversions.h"
#include "Errors.h"
#include "FilterExports.h"
#include "FilterRun.h"
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
    throw common::InputError(common::TrText("cli", "The filter must be LCF, HCF, BPF or No, not '%1'.").Arg(text));
}

// The filter options as the run asks for them; a band pass takes --cof as its high cut, and its low
// cut defaults to what the window's BPF button sets.
class OptionFilterSettings final : public filter::FilterSettings {
public:
    explicit OptionFilterSettings(const FilterTexts& t) : t_(t) {}
    filter::FilterType Type() override { return TypeOf(t_.type); }
    bool Steepen() override { return t_.steepen; }
    double LowCutOff() override
    {
        if (Type() == filter::FilterType::LCF || t_.lowCof.empty())
            return Type() == filter::FilterType::LCF ? Cof() : filter::BandPassLowCutOff(Cof());
        return PositiveRealOption(t_.lowCof, "--low-cof");
    }
    std::int32_t LowPower() override
    {
        if (Type() == filter::FilterType::LCF || t_.lowPower.empty())
            return HighPower();
        return IntOption(t_.lowPower, "--low-power");
    }
    double HighCutOff() override { return Cof(); }
    std::int32_t HighPower() override { return IntOption(t_.power, "--power"); }
    std::optional<double> NoiseFloorDivisor() override
    {
        if (t_.ssir.empty())
            return std::nullopt;
        return RealOption(t_.ssir, "--ssir");
    }

private:
    double Cof() const { return PositiveRealOption(t_.cof, "--cof"); }
    const FilterTexts& t_;
};

void RunFilterCommand(const FilterTexts& t, CommandContext& context)
{
    OptionFilterSettings settings(t);
    settings.Type();  // a filter name that is none of them is refused before anything is read
    CheckOutputs({t.out}, {t.file}, t.force);
    const imageio::LoadedImage image = imageio::LoadImage(t.file, t.load.Convert());
    ReportLoadNotes(image, context.err);
    const SquareRoi roi = ParseSquareRoi(t.roi, image);
    const auto s = TransformRoi(image, roi, "power", false, context.Pool());
    const int n = s->n;
    spectrum::SquareMatrix gain, filteredRe, filteredIm, filteredPower, filtered;
    double filterMax = 0.0, filteredPowerMax = 0.0, filteredMax = 0.0, filteredMin = 0.0;
    filter::RunFilter(settings, {*s->re, *s->im, *s->map, n}, s->fft,
                      {gain, filterMax, filteredRe, filteredIm, filteredPower, filteredPowerMax, filtered, filteredMax,
                       filteredMin},
                      context.Pool());
    const std::vector<std::uint8_t> bytes = filter::FilteredRawFile(filtered, n);
    WriteOutputs(std::vector{common::OutputFile{t.out, bytes}}, t.force);
}

} // namespace

CLI::App* AddFilterCommand(CLI::App& app, CommandContext& context)
{
    auto texts = std::make_shared<FilterTexts>();
    using common::TrText;
    CLI::App* c = app.add_subcommand(
        "filter", Tr(TrText("cli", "A square ROI filtered as the filter window does, saved as \"SaveFltrd\" saves it")));
    c->add_option("file", texts->file, Tr(TrText("cli", "Image file")))->required();
    c->add_option("--roi", texts->roi, Tr(TrText("cli", "x,y,n: top-left pixel and side (a power of two up to 1024)")))
        ->required();
    c->add_option("--filter", texts->type, Tr(TrText("cli", "LCF, HCF, BPF or No")))->capture_default_str();
    c->add_option("--cof", texts->cof, Tr(TrText("cli", "Cut-off in cycles/pixel (the high cut of a band pass)")))
        ->capture_default_str();
    c->add_option("--power", texts->power, Tr(TrText("cli", "Filter power")))->capture_default_str();
    c->add_option("--low-cof", texts->lowCof,
                  Tr(TrText("cli", "Band pass: low cut-off (default --cof - 0.05, as the BPF button sets it)")));
    c->add_option("--low-power", texts->lowPower, Tr(TrText("cli", "Band pass: low-cut power (default --power)")));
    c->add_flag("--steepen", texts->steepen, Tr(TrText("cli", "As the window's COF box")));
    c->add_option("--ssir", texts->ssir, Tr(TrText("cli", "Noise-floor divisor, as the window's SSIR box and edit")));
    c->add_option("--out", texts->out, Tr(TrText("cli", "Output file (raw binary32, n x n)")))->required();
    AddForceOption(*c, texts->force);
    AddLoadOptions(*c, texts->load);
    c->callback([texts, &context] { RunFilterCommand(*texts, context); });
    return c;
}

} // namespace cli
