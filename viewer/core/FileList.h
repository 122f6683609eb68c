#pragma once
// The files of the loaded image's folder, for stepping through them with the mouse wheel.
#include <string>
#include <string_view>
#include <vector>

namespace viewer {

// The text of a path up to and including its last separator; empty when it has none.
std::string FolderOf(std::string_view path);

// Folder text plus name of every entry of the folder that is not itself a folder, hidden ones
// included, in natural name order (NaturalOrder.h), as a file manager shows them. An empty folder
// text lists the current folder. A folder that cannot be read lists nothing.
std::vector<std::string> ListFolderFiles(const std::string& folder);

// Position of the first entry equal to `path` (exact, case-sensitive); raises the list-index error
// with the entry count when there is none.
long long FindListEntry(const std::vector<std::string>& entries, std::string_view path);

// Where the list number points after a wheel step: one on in the direction of the turn (delta > 0
// forward), staying at either end.
long long StepListNumber(long long number, long long count, int delta);

} // namespace viewer
