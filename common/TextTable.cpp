#include "TextTable.h"

namespace common {

std::string TextTable(const std::vector<std::vector<std::string>>& rows)
{
    std::string out;
    for (const auto& row : rows) {
        for (std::size_t i = 0; i < row.size(); ++i) {
            if (i)
                out += '\t';
            out += row[i];
        }
        out += "\r\n";
    }
    return out;
}

} // namespace common
