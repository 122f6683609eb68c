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

// "ファイル <path> を作成できません: <cause>".
std::string CannotCreateMessage(std::string_view path, std::string_view cause);

[[noreturn]] void ThrowCannotCreate(std::string_view path, std::string_view cause);

} // namespace common
