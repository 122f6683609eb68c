#pragma once
// Writes a whole file so that a failure never costs the user the file that was there before:
// the bytes go to a new file in the same folder, which then takes the target's name in one step.
#include <cstdint>
#include <span>
#include <string>

namespace common {

// Creates or replaces `path` with `bytes`. A replaced file keeps its permission bits. On any
// failure the previous file is left as it was, the partial copy is removed, and the
// file-creation error naming `path` is thrown.
void WriteFileSafely(const std::string& path, std::span<const std::uint8_t> bytes);

} // namespace common
