#include "SafeFileWrite.h"

#include <atomic>
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

// Creates a new file beside the target with the mode a new file gets anyway (0666 under the
// process's umask, applied by the system, so no thread ever changes the umask).
int CreateTemporary(const std::string& folder, std::string& name)
{
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = folder + "/.tmp-write-" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
        const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
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

    std::string temp;
    const int fd = CreateTemporary(FolderOf(path), temp);
    if (fd < 0)
        ThrowCannotCreate(path);
    bool ok = (!exists || ::fchmod(fd, target.st_mode & 07777) == 0) && WriteAll(fd, bytes) && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    if (!ok || std::rename(temp.c_str(), path.c_str()) != 0) {
        ::unlink(temp.c_str());
        ThrowCannotCreate(path);
    }
}

} // namespace common
