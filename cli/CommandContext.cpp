#include "CommandContext.h"

#include <filesystem>

#include "Conversions.h"
#include "Errors.h"
#include "FileIdentity.h"
#include "Translation.h"

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
        throw UsageError(std::string(option) + " must be above 0, not " + text + ".");
    return value;
}

imageio::LoadOptions LoadTexts::Convert() const
{
    imageio::LoadOptions options;
    try {
        options.mode = imageio::ParseFileMode(mode);
    } catch (const common::InputError& e) {
        throw UsageError(std::string("--mode: ") + e.what());
    }
    if (!size.empty()) {
        const std::size_t x = size.find('x');
        if (x == std::string::npos)
            throw UsageError("--size needs WIDTHxHEIGHT, not '" + size + "'.");
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
    command.add_option("--mode", texts.mode, "File mode as in the viewer: 8bit, 16bit or dicom")->capture_default_str();
    command.add_option("--size", texts.size, "Matrix size WIDTHxHEIGHT (else from the file name or DICOM header)");
    command.add_option("--header", texts.header, "Bytes before the first pixel");
    command.add_option("--offset", texts.offset, "Value added to every pixel");
    command.add_option("--pixel", texts.pixel, "Pixel spacing in mm (else from the file name or DICOM header)");
    command.add_flag("--swap", texts.swap, "Read 16-bit pixels big-endian");
    command.add_flag("--no-swap", texts.noSwap, "Read 16-bit pixels little-endian even if the header says otherwise");
    command.add_flag("--accept-damaged", texts.acceptDamaged,
                     "Measure a file the decoder read with a warning (its pixels may be wrong)");
}

void ReportLoadNotes(const imageio::LoadedImage& image, std::ostream& err)
{
    for (const common::Text& note : image.notes)
        err << "warning: " << image.path << ": the decoder reported: " << i18n::ShownStd(note) << "\n";
}

void AddForceOption(CLI::App& command, bool& force)
{
    command.add_flag("--force", force, "Replace outputs that are read-only");
}

namespace {

constexpr const char* kForceHint = " (--force replaces it)";

} // namespace

void CheckOutputs(const std::vector<std::string>& outputs, const std::vector<std::string>& inputs, bool force)
{
    common::RefuseOutputsOverInputs(outputs, inputs);
    for (const std::string& output : outputs)
        if (!force && common::IsReadOnlyTarget(output))
            throw common::ReadOnlyTargetError(common::CannotCreateMessage(output, common::ReadOnlyCause()).Plain() +
                                              kForceHint);
}

void WriteOutputs(std::span<const common::OutputFile> files, bool force)
{
    common::WriteOptions options;
    options.replaceReadOnly = force;
    try {
        common::WriteFilesSafely(files, options);
    } catch (const common::ReadOnlyTargetError& e) {
        throw common::ReadOnlyTargetError(std::string(e.what()) + kForceHint);
    }
}

std::span<const std::uint8_t> BytesOf(const std::string& text)
{
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

std::string OutputPrefix(const std::string& out, const char* name)
{
    namespace fs = std::filesystem;
    if (out.empty())
        throw UsageError("--out needs a file prefix or a folder.");
    std::error_code error;
    const bool endsInSeparator = out.back() == '/' || out.back() == fs::path::preferred_separator;
    const fs::path prefix = endsInSeparator || fs::is_directory(out, error) ? fs::path(out) / name : fs::path(out);
    const fs::path folder = prefix.has_parent_path() ? prefix.parent_path() : fs::path(".");
    if (!fs::is_directory(folder, error))
        throw common::FileWriteError(common::CannotCreateMessage(prefix.string() + ".csv", "the folder " +
                                                                 folder.string() + " does not exist"));
    return prefix.string();
}

} // namespace cli
