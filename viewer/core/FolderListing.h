#pragma once
// The entries of the loaded file's folder, kept between loads: the folder is listed again only
// when it may have changed. Each wheel step loads a file of the same folder, and listing a
// folder of hundreds of files costs more than the load itself.
//
// Promises: Entries(folder) returns what ListFolderFiles(folder) returns now, unless the folder
// is the one listed last and its identity (device, inode) and its change and modification
// times are those seen before that listing, and that listing began at least settledNs after the
// folder's last change (a later change within the same timestamp tick would otherwise leave the
// times as they were). A folder that cannot be examined is listed every time.
#include <string>
#include <vector>

namespace viewer {

class FolderListing {
public:
    static constexpr long long kSettledNs = 100'000'000;  // 0.1 s: ten coarse clock ticks or more

    explicit FolderListing(long long settledNs = kSettledNs) : settledNs_(settledNs) {}

    // `listed` tells whether the folder was read just now (the entries may differ from before).
    const std::vector<std::string>& Entries(const std::string& folder, bool& listed);

private:
    struct Stamp {
        unsigned long long device = 0, inode = 0;
        long long modifiedNs = 0, changedNs = 0;
        bool operator==(const Stamp&) const = default;
    };
    long long settledNs_;
    std::string folder_;
    Stamp stamp_;
    bool trusted_ = false;
    std::vector<std::string> entries_;
};

} // namespace viewer
