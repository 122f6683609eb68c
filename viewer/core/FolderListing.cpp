#include "FolderListing.h"

#include <sys/stat.h>

#include <ctime>
#include <optional>

#include "FileList.h"

namespace viewer {

namespace {

struct Examined {
    unsigned long long device, inode;
    long long modifiedNs, changedNs;
};

std::optional<Examined> Examine(const std::string& folder)
{
    struct stat info {};
    if (stat(folder.empty() ? "." : folder.c_str(), &info) != 0)
        return std::nullopt;
    const auto ns = [](const timespec& t) { return static_cast<long long>(t.tv_sec) * 1'000'000'000 + t.tv_nsec; };
    return Examined{static_cast<unsigned long long>(info.st_dev), static_cast<unsigned long long>(info.st_ino),
                    ns(info.st_mtim), ns(info.st_ctim)};
}

long long NowNs()
{
    timespec t{};
    clock_gettime(CLOCK_REALTIME, &t);
    return static_cast<long long>(t.tv_sec) * 1'000'000'000 + t.tv_nsec;
}

} // namespace

const std::vector<std::string>& FolderListing::Entries(const std::string& folder, bool& listed)
{
    const long long start = NowNs();
    const std::optional<Examined> e = Examine(folder);
    const Stamp stamp = e ? Stamp{e->device, e->inode, e->modifiedNs, e->changedNs} : Stamp{};
    if (trusted_ && e && folder == folder_ && stamp == stamp_) {
        listed = false;
        return entries_;
    }
    // The times are taken before the listing: a change while it runs moves them, so the next
    // call lists again.
    entries_ = ListFolderFiles(folder);
    folder_ = folder;
    stamp_ = stamp;
    trusted_ = e && start - e->modifiedNs >= settledNs_ && start - e->changedNs >= settledNs_;
    listed = true;
    return entries_;
}

} // namespace viewer
