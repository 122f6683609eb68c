#pragma once
// Clipboard text tables: fields separated by a tab, every line (the last one too) ended by CR LF.
#include <string>
#include <vector>

namespace common {

std::string TextTable(const std::vector<std::vector<std::string>>& rows);

} // namespace common
