#pragma once
// What every subcommand shares: the streams, the thread count, the file-loading options, and the
// conversions of option texts (the windows' own, so a bad number gets the same message).
#include <CLI/CLI.hpp>

#include <cstdint>
#include <memory>
#include <ostream>
#include <span>
#include <string>
#include <vector>

#include "Errors.h"
#include "ExitCodes.h"
#include "ImageLoading.h"
#include "SafeFileWrite.h"
#include "ThreadPool.h"
#include "Translation.h"

namespace cli {

// A text of the command line in the run's language: a description of --help, a line it prints.
inline std::string Tr(const common::Text& text) { return i18n::ShownStd(text); }

// One per run of the executable: the command that runs reaches the streams and the worker
// threads through it.
struct CommandContext {
    CommandContext(std::ostream& out, std::ostream& err) : out(out), err(err) {}

    std::ostream& out;
    std::ostream& err;
    int threads = 0;          // 0: one per hardware thread
    bool progress = false;    // a progress bar on `err`

    // The run's worker threads, `threads` of them, started on first use (after the options are
    // read) and kept until the run ends.
    common::ThreadPool& Pool();

private:
    std::unique_ptr<common::ThreadPool> pool_;
};

// Option texts of the loading settings, converted only when a command runs.
struct LoadTexts {
    std::string mode = "dicom", size, header, offset, pixel;
    bool swap = false, noSwap = false, acceptDamaged = false;
    imageio::LoadOptions Convert() const;
};
void AddLoadOptions(CLI::App& command, LoadTexts& texts);

// One line on `err` for each warning the decoder gave while it read the image, so that it is seen
// without hiding the command's own output.
void ReportLoadNotes(const imageio::LoadedImage& image, std::ostream& err);

// An option's text as a number; a text that is not one is a UsageError naming the option. The
// positive ones also refuse 0 and below (a pixel spacing, a cut-off).
std::int32_t IntOption(const std::string& text, const char* option);
double RealOption(const std::string& text, const char* option);
double PositiveRealOption(const std::string& text, const char* option);
// Runs `convert`, which only parses an option's text; what it refuses becomes a UsageError.
template <typename Convert>
auto OptionValue(const char* option, const std::string& text, Convert convert)
{
    try {
        return convert();
    } catch (const UsageError&) {
        throw;
    } catch (const common::ConversionError& e) {
        throw UsageError(common::TrText("cli", "%1 does not take '%2': %3").Arg(option).Arg(text).Arg(e.Message()));
    } catch (const common::InputError& e) {
        throw UsageError(e.Message());
    }
}

// "a,b,c" split at commas, each part converted as a real.
std::vector<double> RealList(const std::string& text, const char* what);

// "--force": a command that writes may replace read-only outputs only when given it.
void AddForceOption(CLI::App& command, bool& force);

// "--strict": a measurement's warnings (the decoder's included) refuse the run, exit 4, before
// anything is written, for pipelines that must not take a result nobody looked at.
void AddStrictOption(CLI::App& command, bool& strict);
// Prints each warning on `err`; then, when `strict` and there was any warning (these or the
// `earlier` ones already printed), refuses with their number.
void ReportWarnings(const std::vector<common::Text>& warnings, std::size_t earlier, bool strict, std::ostream& err);

// Refuses, before anything is read or computed, an output that is one of the inputs (also through
// a link) and, without --force, a read-only output; the writer checks again when it writes.
void CheckOutputs(const std::vector<std::string>& outputs, const std::vector<std::string>& inputs, bool force);

// Writes the files as one set, all new or all as they were, or raises common::FileWriteError
// with the path and the cause (a read-only output says that --force replaces it).
void WriteOutputs(std::span<const common::OutputFile> files, bool force);

// The common prefix of a command's output files (PREFIX.csv, PREFIX.json, ...): `out` itself, or,
// for a folder (an existing one, or any text that ends in a separator), `name` inside it. Its
// folder must exist: checked before anything is read, not after the whole run. An empty `out` is
// a usage error.
std::string OutputPrefix(const std::string& out, const char* name);

// "wrote A, B, C" in the run's language: the set of files a command wrote, for its summary.
std::string WroteLine(const std::string& csv, const std::string& png, const std::string& json);

// The bytes of a text, for WriteOutputs.
std::span<const std::uint8_t> BytesOf(const std::string& text);

CLI::App* AddNpsCommand(CLI::App& app, CommandContext& context);
CLI::App* AddSpectrumCommand(CLI::App& app, CommandContext& context);
CLI::App* AddFilterCommand(CLI::App& app, CommandContext& context);
CLI::App* AddMtfCommand(CLI::App& app, CommandContext& context);
CLI::App* AddDqeCommand(CLI::App& app, CommandContext& context);

} // namespace cli
