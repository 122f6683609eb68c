#include "WriteErrors.h"

#include <cstring>

namespace common {

std::string CauseOf(int error)
{
    // strerror_r (GNU form) rather than strerror: writes may fail on several threads at once.
    char buffer[256];
    return ::strerror_r(error, buffer, sizeof buffer);
}

std::string CannotCreateMessage(std::string_view path, std::string_view cause)
{
    // The designed text comes from the one place that holds it; the cause follows it.
    try {
        ThrowCannotCreate(path);
    } catch (const FileWriteError& e) {
        return std::string(e.what()) + ": " + std::string(cause);
    }
}

void ThrowCannotCreate(std::string_view path, std::string_view cause)
{
    throw FileWriteError(CannotCreateMessage(path, cause));
}

} // namespace common
