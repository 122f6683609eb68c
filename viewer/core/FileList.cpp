#include "FileList.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "Errors.h"
#include "NaturalOrder.h"

namespace viewer {

namespace fs = std::filesystem;

std::string FolderOf(std::string_view path)
{
    const std::size_t last = path.find_last_of(fs::path::preferred_separator);
    if (last == std::string_view::npos)
        return {};
    return std::string(path.substr(0, last + 1));
}

std::vector<std::string> ListFolderFiles(const std::string& folder)
{
    std::vector<std::string> entries;
    std::error_code ec;
    fs::directory_iterator it(folder.empty() ? fs::path(".") : fs::path(folder), ec);
    for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
        std::error_code kindError;
        if (it->is_directory(kindError))
            continue;
        entries.push_back(folder + it->path().filename().string());
    }
    // Every entry carries the same folder text, so ordering the whole texts orders the names.
    std::sort(entries.begin(), entries.end(),
              [](const std::string& a, const std::string& b) { return NaturalLess(a, b); });
    return entries;
}

long long FindListEntry(const std::vector<std::string>& entries, std::string_view path)
{
    for (std::size_t i = 0; i < entries.size(); ++i)
        if (entries[i] == path)
            return static_cast<long long>(i);
    common::ThrowListIndex(static_cast<long long>(entries.size()));
}

long long StepListNumber(long long number, long long count, int delta)
{
    if (delta > 0)
        return number < count - 1 ? number + 1 : number;
    return number > 0 ? number - 1 : number;
}

} // namespace viewer
