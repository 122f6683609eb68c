#pragma once
// What every subcommand shares: the streams, the thread count, the file-loading options, and the
// conversions of option texts (the windows' own, so a bad number gets the same message).
#include <CLI/CLI.hpp>

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "ImageLoading.h"

namespace cli {

struct CommandContext {
    std::ostream& out;
    std::ostream& err;
    int threads = 0;          // 0: one per hardware thread
    bool progress = false;    // a progress bar on `err`
};

// Option texts of the loading settings, converted only when a command runs.
struct LoadTexts {
    std::string mode = "dicom", size, header, offset, pixel;
    bool swap = false, noSwap = false;
    imageio::LoadOptions Convert() const;
};
void AddLoadOptions(CLI::App& command, LoadTexts& texts);

// One line on `err` for each warning the decoder gave while it read the image, so that it is seen
// without hiding the command's own output.
void ReportLoadNotes(const imageio::LoadedImage& image, std::ostream& err);

// "a,b,c" split at commas, each part converted as a real.
std::vector<double> RealList(const std::string& text, const char* what);

// Writes the file whole, never leaving a broken one in place of an earlier file, or raises
// common::FileWriteError.
void WriteTextFile(const std::string& path, const std::string& text);

CLI::App* AddNpsCommand(CLI::App& app, CommandContext& context);
CLI::App* AddSpectrumCommand(CLI::App& app, CommandContext& context);
CLI::App* AddFilterCommand(CLI::App& app, CommandContext& context);

} // namespace cli
