#include "ExportHeaderText.h"

#include <algorithm>

#include "Errors.h"
#include "TextTable.h"

namespace viewer {

namespace {

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// An empty group counts as even; a text that is not hexadecimal raises the conversion error.
bool IsCopied(const std::string& group)
{
    if (group.empty())
        return true;
    if (group.front() == 'F')
        return false;
    if (!std::all_of(group.begin(), group.end(), [](char c) { return HexDigit(c) >= 0; }))
        common::ThrowNotInteger(group);
    return HexDigit(group.back()) % 2 == 0;
}

} // namespace

std::string HeaderClipboardText(const std::vector<std::array<std::string, 7>>& rows)
{
    std::vector<std::vector<std::string>> copied;
    for (std::size_t r = 0; r < rows.size(); ++r)
        if (r == 0 || IsCopied(rows[r][1]))
            copied.emplace_back(rows[r].begin(), rows[r].end());
    std::string text = common::TextTable(copied);
    // A NUL inside a value would end the text for every program that pastes it.
    std::erase(text, '\0');
    return text;
}

} // namespace viewer
