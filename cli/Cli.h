#pragma once
// The command line, callable in-process: parses `args` (args[0] is the program name), runs the
// subcommand and returns its exit code; messages go to `err`, results to `out` or files.
#include <ostream>
#include <string>
#include <vector>

namespace cli {

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace cli
