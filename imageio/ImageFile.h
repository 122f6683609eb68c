#pragma once
// Reading a whole file into memory.
#include <cstdint>
#include <string>
#include <vector>

namespace imageio {

// Raises the file-open error (with the path) when the file cannot be opened or is a folder, and
// the memory error when it does not fit in memory.
std::vector<std::uint8_t> ReadWholeFile(const std::string& path);

} // namespace imageio
