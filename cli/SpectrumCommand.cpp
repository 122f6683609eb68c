// The "spectrum" subcommand: the ROI's centred spectrum values, as the spectrum window exports them.
#include "CommandContext.h"
#include "RoiSpectrum.h"
#include "SpectrumMap.h"

namespace cli {

namespace {

struct SpectrumTexts {
    std::string file, roi, kind = "power", out;
    bool logarithmic = false, force = false;
    LoadTexts load;
};

void RunSpectrum(const SpectrumTexts& t, CommandContext& context)
{
    if (!t.out.empty())
        CheckOutputs({t.out}, {t.file}, t.force);
    const imageio::LoadedImage image = imageio::LoadImage(t.file, t.load.Convert());
    ReportLoadNotes(image, context.err);
    const SquareRoi roi = ParseSquareRoi(t.roi, image);
    const auto s = TransformRoi(image, roi, t.kind, t.logarithmic, context.Pool());
    const std::string text = spectrum::SpectrumValuesText(*s->map, s->n);
    if (t.out.empty())
        context.out << text;
    else
        WriteOutputs(std::vector{common::OutputFile{t.out, BytesOf(text)}}, t.force);
}

} // namespace

CLI::App* AddSpectrumCommand(CLI::App& app, CommandContext& context)
{
    auto texts = std::make_shared<SpectrumTexts>();
    using common::TrText;
    CLI::App* c = app.add_subcommand(
        "spectrum", Tr(TrText("cli", "The centred spectrum of a square ROI, as the spectrum window's values")));
    c->add_option("file", texts->file, Tr(TrText("cli", "Image file")))->required();
    c->add_option("--roi", texts->roi, Tr(TrText("cli", "x,y,n: top-left pixel and side (a power of two up to 1024)")))
        ->required();
    c->add_option("--kind", texts->kind, Tr(TrText("cli", "power, abs, real or imag")))->capture_default_str();
    c->add_flag("--log", texts->logarithmic, Tr(TrText("cli", "Logarithm of the map, as the window's Log box")));
    c->add_option("--out", texts->out, Tr(TrText("cli", "Output file (default: standard output)")));
    AddForceOption(*c, texts->force);
    AddLoadOptions(*c, texts->load);
    c->callback([texts, &context] { RunSpectrum(*texts, context); });
    return c;
}

} // namespace cli
