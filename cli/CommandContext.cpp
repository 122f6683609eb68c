#include "CommandContext.h"

#include <filesystem>

#include "Conversions.h"
#include "Errors.h"
#include "FileIdentity.h"

namespace cli {

common::ThreadPool& CommandContext::Pool()
{
    if (!pool_)
        pool_ = std::make_unique<common::ThreadPool>(threads >= 1 ? threads : common::ThreadPool::MachineThreads());
    return *pool_;
}

std::vector<double> RealList(const std::string& text, const char*)
{
    std::vector<double> values;
    for (const std::string& part : common::SplitAtCommas(text))
        values.push_back(common::StrToFloat(part));
    return values;
}

std::int32_t IntOption(const std::string& text, const char* option)
{
    return OptionValue(option, text, [&] { return common::StrToInt(text); });
}

double RealOption(const std::string& text, const char* option)
{
    return OptionValue(option, text, [&] { return common::StrToFloat(text); });
}

double PositiveRealOption(const std::string& text, const char* option)
{
    const double value = RealOption(text, option);
    if (!(value > 0))
        throw UsageError(common::TrText("cli", "%1 must be above 0, not %2.").Arg(option).Arg(text));
    return value;
}

imageio::LoadOptions LoadTexts::Convert() const
{
    imageio::LoadOptions options;
    try {
        options.mode = imageio::ParseFileMode(mode);
    } catch (const common::InputError& e) {
        throw UsageError(common::TrText("cli", "--mode: %1").Arg(e.Message()));
    }
    if (!size.empty()) {
        const std::size_t x = size.find('x');
        if (x == std::string::npos)
            throw UsageError(common::TrText("cli", "--size needs WIDTHxHEIGHT, not '%1'.").Arg(size));
        options.width = IntOption(size.substr(0, x), "--size");
        options.height = IntOption(size.substr(x + 1), "--size");
    }
    if (!header.empty())
        options.headerBytes = IntOption(header, "--header");
    if (!offset.empty())
        options.valueOffset = IntOption(offset, "--offset");
    if (!pixel.empty())
        options.pixelMm = PositiveRealOption(pixel, "--pixel");
    options.acceptDamaged = acceptDamaged;
    if (swap)
        options.swap = true;
    if (noSwap)
        options.swap = false;
    return options;
}

void AddLoadOptions(CLI::App& command, LoadTexts& texts)
{
    using common::TrText;
    command.add_option("--mode", texts.mode, Tr(TrText("cli", "File mode as in the viewer: 8bit, 16bit or dicom")))
        ->capture_default_str();
    command.add_option("--size", texts.size,
                       Tr(TrText("cli", "Matrix size WIDTHxHEIGHT (else from the file name or DICOM header)")));
    command.add_option("--header", texts.header, Tr(TrText("cli", "Bytes before the first pixel")));
    command.add_option("--offset", texts.offset, Tr(TrText("cli", "Value added to every pixel")));
    command.add_option("--pixel", texts.pixel,
                       Tr(TrText("cli", "Pixel spacing in mm (else from the file name or DICOM header)")));
    command.add_flag("--swap", texts.swap, Tr(TrText("cli", "Read 16-bit pixels big-endian")));
    command.add_flag("--no-swap", texts.noSwap,
                     Tr(TrText("cli", "Read 16-bit pixels little-endian even if the header says otherwise")));
    command.add_flag("--accept-damaged", texts.acceptDamaged,
                     Tr(TrText("cli", "Measure a file the decoder read with a warning (its pixels may be wrong)")));
}

void ReportLoadNotes(const imageio::LoadedImage& image, std::ostream& err)
{
    for (const auto& note : image.notes)
        err << Tr(common::TrText("cli", "warning: %1: the decoder reported: %2").Arg(image.path).Arg(note)) << "\n";
}

void AddForceOption(CLI::App& command, bool& force)
{
    command.add_flag("--force", force, Tr(common::TrText("cli", "Replace outputs that are read-only")));
}

void AddStrictOption(CLI::App& command, bool& strict)
{
    command.add_flag("--strict", strict,
                     Tr(common::TrText("cli", "Refuse the run (exit 4, nothing written) when it gives any warning")));
}

void ReportWarnings(const std::vector<common::Text>& warnings, std::size_t earlier, bool strict, std::ostream& err)
{
    for (const auto& warning : warnings)
        err << Tr(common::TrText("cli", "warning: %1").Arg(warning)) << '\n';
    const std::size_t count = warnings.size() + earlier;
    if (strict && count > 0)
        throw common::InputError(
            common::TrText("cli", "--strict: the run gave %1 warning(s); nothing was written.").Arg(count));
}

namespace {

// The program's own "cannot create" text for `path`, to which the command line adds the cause.
common::Text CannotCreate(const std::string& path)
{
    try {
        common::ThrowCannotCreate(path);
    } catch (const common::FileWriteError& e) {
        return e.Message();
    }
}

} // namespace

void CheckOutputs(const std::vector<std::string>& outputs, const std::vector<std::string>& inputs, bool force)
{
    common::RefuseOutputsOverInputs(outputs, inputs);
    for (const std::string& output : outputs)
        if (!force && common::IsReadOnlyTarget(output))
            throw common::ReadOnlyTargetError(
                common::TrText("cli", "%1: the file is read-only (--force replaces it)").Arg(CannotCreate(output)));
}

void WriteOutputs(std::span<const common::OutputFile> files, bool force)
{
    common::WriteOptions options;
    options.replaceReadOnly = force;
    try {
        common::WriteFilesSafely(files, options);
    } catch (const common::ReadOnlyTargetError& e) {
        throw common::ReadOnlyTargetError(common::TrText("cli", "%1 (--force replaces it)").Arg(e.Message()));
    }
}

std::string WroteLine(const std::string& csv, const std::string& png, const std::string& json)
{
    return Tr(common::TrText("cli", "wrote %1, %2, %3").Arg(csv).Arg(png).Arg(json));
}

std::span<const std::uint8_t> BytesOf(const std::string& text)
{
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

std::string OutputPrefix(const std::string& out, const char* name)
{
    namespace fs = std::filesystem;
    if (out.empty())
        throw UsageError(common::TrText("cli", "--out needs a file prefix or a folder."));
    std::error_code error;
    const bool endsInSeparator = out.back() == '/' || out.back() == fs::path::preferred_separator;
    const fs::path prefix = endsInSeparator || fs::is_directory(out, error) ? fs::path(out) / name : fs::path(out);
    const fs::path folder = prefix.has_parent_path() ? prefix.parent_path() : fs::path(".");
    if (!fs::is_directory(folder, error))
        throw common::FileWriteError(common::TrText("cli", "%1: the folder %2 does not exist")
                                         .Arg(CannotCreate(prefix.string() + ".csv"))
                                         .Arg(folder.string()));
    return prefix.string();
}

} // namespace cli
