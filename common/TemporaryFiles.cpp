#include "TemporaryFiles.h"

#include <atomic>
#include <cerrno>
#include <charconv>
#include <csignal>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace common {

namespace {

constexpr const char* kWritePrefix = ".tmp-write-";
constexpr const char* kKeepPrefix = ".tmp-keep-";
constexpr time_t kStaleSeconds = 60;

std::atomic<unsigned> counter{0};

std::string NextName(const std::string& folder, const char* prefix)
{
    return folder + "/" + prefix + std::to_string(::getpid()) + "-" + std::to_string(counter++);
}

bool WriterIsGone(long long pid)
{
    if (pid <= 0 || pid == ::getpid())
        return false;
    return ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH;
}

} // namespace

int CreateTemporary(const std::string& folder, std::string& name)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = NextName(folder, kWritePrefix);
        const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

std::string KeepName(const std::string& folder) { return NextName(folder, kKeepPrefix); }

bool IsTemporaryName(const std::string& name, long long& pid)
{
    const std::string_view prefix = kWritePrefix;
    if (!name.starts_with(prefix))
        return false;
    const char* p = name.data() + prefix.size();
    const char* end = name.data() + name.size();
    auto [afterPid, pidError] = std::from_chars(p, end, pid);
    if (pidError != std::errc() || afterPid == end || *afterPid != '-')
        return false;
    unsigned long long n = 0;
    auto [afterN, nError] = std::from_chars(afterPid + 1, end, n);
    return nError == std::errc() && afterN == end && afterN != afterPid + 1;
}

void RemoveStaleTemporaries(const std::string& folder)
{
    DIR* dir = ::opendir(folder.c_str());
    if (!dir)
        return;
    const time_t now = std::time(nullptr);
    while (const dirent* entry = ::readdir(dir)) {
        long long pid = 0;
        if (!IsTemporaryName(entry->d_name, pid))
            continue;
        struct stat info {};
        // lstat: a link or a folder of that name is not ours, whatever it is called.
        if (::fstatat(::dirfd(dir), entry->d_name, &info, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(info.st_mode))
            continue;
        if (now - info.st_mtime > kStaleSeconds && WriterIsGone(pid))
            ::unlinkat(::dirfd(dir), entry->d_name, 0);
    }
    ::closedir(dir);
}

bool WriteAll(int fd, const void* bytes, std::size_t size)
{
    const auto* p = static_cast<const unsigned char*>(bytes);
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = ::write(fd, p + done, size - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return false;
        if (n == 0) {
            errno = ENOSPC;  // a write that makes no progress is a full disk in all but name
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

int SyncFolder(const std::string& folder)
{
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return errno;
    int error = ::fsync(fd) == 0 ? 0 : errno;
    ::close(fd);
    if (error == EINVAL || error == ENOTSUP)
        error = 0;  // a file system without folder sync has nothing more to flush
    return error;
}

} // namespace common
