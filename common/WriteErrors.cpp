#include "WriteErrors.h"

#include <cstring>

namespace common {

std::string CauseOf(int error)
{
    // strerror_r (GNU form) rather than strerror: writes may fail on several threads at once.
    char buffer[256];
    return ::strerror_r(error, buffer, sizeof buffer);
}

Text CannotCreateMessage(std::string_view path, const Text& cause)
{
    // The designed text comes from the one place that holds it; the cause follows it.
    try {
        ThrowCannotCreate(path);
    } catch (const FileWriteError& e) {
        return TrText("common", "%1: %2").Arg(e.Message()).Arg(cause);
    }
}

Text CannotCreateMessage(std::string_view path, std::string_view cause)
{
    return CannotCreateMessage(path, Text::Verbatim(std::string(cause)));
}

Text ReadOnlyCause() { return TrText("common", "the file is read-only"); }

void ThrowCannotCreate(std::string_view path, const Text& cause)
{
    throw FileWriteError(CannotCreateMessage(path, cause));
}

void ThrowCannotCreate(std::string_view path, std::string_view cause)
{
    throw FileWriteError(CannotCreateMessage(path, cause));
}

} // namespace common
