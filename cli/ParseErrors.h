#pragma once
// What CLI11 says when the arguments do not parse, in the run's language: each message it raises
// for these commands is recognised by its class and its wording and rebuilt as a Text with the
// same values (option names, the extra arguments, counts). A message not recognised keeps
// CLI11's own words.
#include <CLI/CLI.hpp>

#include "Text.h"

namespace cli {

common::Text ParseErrorText(const CLI::ParseError& error);

} // namespace cli
