#include "SafeFileWrite.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "Errors.h"

namespace common {

namespace {

std::string FolderOf(const std::string& path)
{
    const std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// The mode a new file gets from open(..., 0666) under the process's umask.
mode_t NewFileMode()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return static_cast<mode_t>(0666 & ~mask);
}

bool WriteAll(int fd, std::span<const std::uint8_t> bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

} // namespace

void WriteFileSafely(const std::string& path, std::span<const std::uint8_t> bytes)
{
    if (path.empty() || path.back() == '/')
        ThrowCannotCreate(path);
    struct stat target {};
    const bool exists = ::stat(path.c_str(), &target) == 0;
    if (exists && !S_ISREG(target.st_mode))
        ThrowCannotCreate(path);  // a folder or a device is never replaced by a file

    std::string temp = FolderOf(path) + "/.tmp-write-XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0)
        ThrowCannotCreate(path);
    const mode_t mode = exists ? (target.st_mode & 07777) : NewFileMode();
    bool ok = ::fchmod(fd, mode) == 0 && WriteAll(fd, bytes) && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    if (!ok || std::rename(temp.c_str(), path.c_str()) != 0) {
        ::unlink(temp.c_str());
        ThrowCannotCreate(path);
    }
}

} // namespace common
