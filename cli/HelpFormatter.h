#pragma once
// CLI11's --help layout in the run's language: its own words (Usage, OPTIONS, REQUIRED, ...) as
// labels, and the option column padded by the width a terminal gives the text, so that a label in
// Japanese (two columns a character) keeps the descriptions in line. The layout is CLI11's
// otherwise, which help2man reads.
#include <CLI/CLI.hpp>

#include <string>

namespace cli {

class HelpFormatter : public CLI::Formatter {
public:
    HelpFormatter();
    std::string make_option(const CLI::Option* option, bool isPositional) const override;
};

// The columns `text` (UTF-8) takes on a terminal: East Asian characters take two.
std::size_t DisplayWidth(const std::string& text);

} // namespace cli
