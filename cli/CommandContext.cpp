#include "CommandContext.h"

#include "Conversions.h"
#include "Errors.h"
#include "FileIdentity.h"

namespace cli {

std::vector<double> RealList(const std::string& text, const char*)
{
    std::vector<double> values;
    for (const std::string& part : common::SplitAtCommas(text))
        values.push_back(common::StrToFloat(part));
    return values;
}

imageio::LoadOptions LoadTexts::Convert() const
{
    imageio::LoadOptions options;
    options.mode = imageio::ParseFileMode(mode);
    if (!size.empty()) {
        const std::size_t x = size.find('x');
        if (x == std::string::npos)
            throw common::InputError("--size needs WIDTHxHEIGHT, not '" + size + "'.");
        options.width = common::StrToInt(size.substr(0, x));
        options.height = common::StrToInt(size.substr(x + 1));
    }
    if (!header.empty())
        options.headerBytes = common::StrToInt(header);
    if (!offset.empty())
        options.valueOffset = common::StrToInt(offset);
    if (!pixel.empty())
        options.pixelMm = common::StrToFloat(pixel);
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
}

void ReportLoadNotes(const imageio::LoadedImage& image, std::ostream& err)
{
    for (const std::string& note : image.notes)
        err << "warning: " << image.path << ": the decoder reported: " << note << "\n";
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
            throw common::ReadOnlyTargetError(common::CannotCreateMessage(output, "the file is read-only") + kForceHint);
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

} // namespace cli
