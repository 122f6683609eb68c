#pragma once
// The errors of writing a file: the program's own "cannot create" text, followed by why.
#include <string>
#include <string_view>

#include "Errors.h"

namespace common {

// An existing file without write permission, left alone because nobody agreed to replace it.
class ReadOnlyTargetError : public FileWriteError {
public:
    using FileWriteError::FileWriteError;
};

// The system's words for an errno value ("No space left on device").
std::string CauseOf(int error);

// "ファイル <path> を作成できません: <cause>". A cause given as a Text is the program's own words
// and is translated with the frame; one given as a string is the system's and stays as it is.
Text CannotCreateMessage(std::string_view path, const Text& cause);
Text CannotCreateMessage(std::string_view path, std::string_view cause);

// The cause of refusing a file without write permission.
Text ReadOnlyCause();

[[noreturn]] void ThrowCannotCreate(std::string_view path, const Text& cause);
[[noreturn]] void ThrowCannotCreate(std::string_view path, std::string_view cause);

} // namespace common
