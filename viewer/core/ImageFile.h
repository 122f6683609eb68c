#pragma once
// Reading a whole file into memory.
#include <cstdint>
#include <string>
#include <vector>

namespace viewer {

// Raises the file-open error (with the path) when the file cannot be opened or is a folder, and
// the memory error when it does not fit in memory.
std::vector<std::uint8_t> ReadWholeFile(const std::string& path);

// Writes `bytes` as the whole file, creating it or replacing one of that name. Raises the
// file-creation error (with the path) when it cannot be created or written completely.
void WriteWholeFile(const std::string& path, const std::vector<std::uint8_t>& bytes);

} // namespace viewer
