#pragma once
// spectrum_cli run in-process: its exit code and what it wrote to standard output and error.
#include <sstream>
#include <string>
#include <vector>

#include "Cli.h"

struct Outcome {
    int code;
    std::string out, err;
};

inline Outcome RunCliWith(std::vector<std::string> args)
{
    args.insert(args.begin(), "spectrum_cli");
    std::ostringstream out, err;
    const int code = cli::RunCli(args, out, err);
    return {code, out.str(), err.str()};
}
