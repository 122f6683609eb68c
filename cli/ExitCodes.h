#pragma once
// What the command line's exit status says. `--help` prints this table.
#include <exception>

#include "Errors.h"

namespace cli {

// An option whose text is not what the option takes (not a number, or a number it cannot be):
// the arguments are wrong, as when they do not parse.
class UsageError : public common::InputError {
public:
    using InputError::InputError;
};

enum ExitCode : int {
    kExitDone = 0,
    kExitUnexpected = 1,       // a fault of the program itself
    kExitUsage = 2,            // the arguments do not parse
    kExitInputUnreadable = 3,  // an input file cannot be opened or read
    kExitInputUnusable = 4,    // an input or an option the program refuses (size, ROI, number, header)
    kExitOutputUnwritable = 5, // an output file cannot be written
    kExitArithmetic = 6,       // an arithmetic fault the windows also refuse (division by zero, ...)
};

// The source text of the table (context "cli"), shown in the run's language.
inline constexpr const char* kExitCodeTable = TR_NOOP("cli", "Exit codes: 0 done, 1 unexpected failure, 2 usage, 3 input unreadable, 4 input unusable,\n            5 output unwritable, 6 arithmetic refused.");

// The exit code for a failure (kExitDone for none).
int ExitCodeFor(std::exception_ptr failure);

} // namespace cli
