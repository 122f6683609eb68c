#include "FileIdentity.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

#include "Errors.h"
#include "PathParts.h"
#include "WriteErrors.h"

namespace common {

namespace {

constexpr int kMaxLinks = 40;  // the kernel's own limit on a chain of links

std::string ReadLink(const std::string& path)
{
    std::string target(PATH_MAX, '\0');
    const ssize_t n = ::readlink(path.c_str(), target.data(), target.size());
    if (n < 0)
        ThrowCannotCreate(path, CauseOf(errno));
    target.resize(static_cast<std::size_t>(n));
    return target;
}

// The absolute path with links followed; for a file that does not exist yet, its folder's real
// path and its name.
std::string AbsolutePath(const std::string& path)
{
    const std::string followed = FollowLinks(path);
    if (char* real = ::realpath(followed.c_str(), nullptr)) {
        std::string result(real);
        std::free(real);
        return result;
    }
    const std::string folder = FolderOf(followed);
    if (char* real = ::realpath(folder.c_str(), nullptr)) {
        std::string result(real);
        std::free(real);
        return (result == "/" ? "" : result) + "/" + NameOf(followed);
    }
    return followed;
}

} // namespace

std::string FollowLinks(const std::string& path)
{
    std::string current = path;
    for (int hop = 0; hop < kMaxLinks; ++hop) {
        struct stat info {};
        if (::lstat(current.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
            return current;
        const std::string target = ReadLink(current);
        current = target.starts_with('/') ? target : FolderOf(current) + "/" + target;
    }
    ThrowCannotCreate(path, CauseOf(ELOOP));
}

bool SameFile(const std::string& a, const std::string& b)
{
    struct stat infoA {}, infoB {};
    if (::stat(a.c_str(), &infoA) == 0 && ::stat(b.c_str(), &infoB) == 0)
        return infoA.st_dev == infoB.st_dev && infoA.st_ino == infoB.st_ino;
    return AbsolutePath(a) == AbsolutePath(b);
}

void RefuseOutputsOverInputs(std::span<const std::string> outputs, std::span<const std::string> inputs)
{
    for (const std::string& output : outputs)
        for (const std::string& input : inputs)
            if (SameFile(output, input))
                throw FileWriteError(TrText("common",
                                            "Refusing to write %1: it is the input file %2, which would be lost. "
                                            "Choose another output.")
                                         .Arg(output)
                                         .Arg(input));
}

} // namespace common
